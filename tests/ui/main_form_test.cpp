#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <array>
#include <cmath>
#include <filesystem>
#include <limits>

#include "core/app/default_ini.h"
#include "core/app/window_fit.h"
#include "core/base/checked_math.h"
#include "core/base/tick_clock.h"
#include "core/device/engine.h"
#include "core/files/ign_writer.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "form_fixture.h"

namespace ign {
namespace {

using test::FormFixture;
using test::WaitFor;

TEST_F(FormFixture, StartUpBuildsTheWindowAndWritesTheSettingsOnce) {
  TMainForm& f = Start();
  EXPECT_TRUE(f.Initialised());
  EXPECT_TRUE(errorBoxes_.empty()) << errorBoxes_.front();  // the address map is consistent

  // Every menu, with its shortcuts; features not built yet are disabled.
  for (const char* m :
       {"MenuFile", "MenuCom", "MenuDevice", "MenuTools", "MenuLanguage", "MenuHelp", "MenuServis"})
    EXPECT_NE(Find<QMenu>(m), nullptr) << m;
  EXPECT_FALSE(Find<QMenu>("MenuServis")->menuAction()->isVisible());
  struct Item {
    const char* name;
    const char* shortcut;
    bool enabled;
  } items[] = {{"MenuNew", "Ctrl+N", true},
               {"MenuNewPage", "Ctrl+Alt+N", true},
               {"MenuOpen", "F3", true},
               {"MenuOpenPage", "Shift+F3", true},
               {"MenuOpenExeDir", "Ctrl+F3", true},
               {"MenuSaveExeDir", "Ctrl+F2", true},
               {"MenuQuicksave", "Shift+F2", false},
               {"MenuPrint", "Ctrl+P", true},
               {"MenuRead", "F7", false},
               {"MenuProgram", "F9", false},
               {"MenuZnovu", "Ctrl+Alt+Z", false},
               {"MenuZpet", "Ctrl+Z", false},
               {"MenuMonitorPlayer", "Ctrl+M", true},
               {"MenuContens", "F1", true},  // the user guide when no web host is set
               {"MenuExit", "", true}};
  for (const Item& i : items) {
    QAction* a = Find<QAction>(i.name);
    ASSERT_NE(a, nullptr) << i.name;
    EXPECT_EQ(a->shortcut().toString(), QString::fromLatin1(i.shortcut)) << i.name;
    EXPECT_EQ(a->isEnabled(), i.enabled) << i.name;
  }
  EXPECT_TRUE(Find<QAction>("MenuPrintAll")->isVisible());  // shown by the menu captions
  EXPECT_TRUE(Find<QAction>("MenuMonitorPlayer")->isCheckable());
  EXPECT_TRUE(Find<QAction>("MenuEnglish")->isChecked());
  EXPECT_FALSE(Find<QAction>("MenuHistory1")->isVisible());
  EXPECT_FALSE(Find<QAction>("MenuHistoryEnd")->isVisible());

  // COM menu: offline, auto (checked: no settings yet), separator, no ports.
  EXPECT_EQ(Find<QAction>("MenuCom1")->text(), "COM &offline");
  EXPECT_TRUE(Find<QAction>("MenuCom2")->isChecked());
  EXPECT_TRUE(Find<QAction>("MenuCom3")->isSeparator());
  EXPECT_FALSE(Find<QAction>("MenuCom4")->isVisible());
  EXPECT_NE(Find<QAction>("MenuCom30"), nullptr);

  // Status display.
  QLabel* connection = Find<QLabel>("LabelConnection");
  EXPECT_FALSE(connection->isHidden());
  EXPECT_EQ(connection->text(), "No connection with PC...");
  EXPECT_TRUE(Find<QProgressBar>("CGaugeProgram")->isHidden());
  EXPECT_EQ(Find<QProgressBar>("CGaugeProgram")->maximum(), 100);
  EXPECT_TRUE(f.windowTitle().startsWith("  QUNTAR6 (v108)"));
  EXPECT_EQ(Find<QLabel>("StatusPanel1")->text(), "EXE");
  EXPECT_TRUE(Find<QLabel>("StatusPanel2")->text().startsWith("QUNTAR6   RSKEY=108.00   COMPILE=2"));
  EXPECT_EQ(Find<QLabel>("StatusPanel3")->text(), "HEX");
  EXPECT_EQ(Find<QLabel>("StatusPanel4")->text(), "not connected");
  EXPECT_TRUE(f.acceptDrops());

  // The reset of the undo ring has written both files.
  EXPECT_NE(ReadSettingsFile("application.ini").find("[FORM_HLAV]\r\nLeft="), std::string::npos);
  std::array<uint8_t, RS_LEN_EXE> saved{};
  EXPECT_EQ(ReadImageFile(SettingsFile("default.ini"), saved.data(), saved.size()), long(RS_LEN_EXE));
  EXPECT_TRUE(std::equal(saved.begin(), saved.end(), f.Params().Edited().begin()));
}

TEST_F(FormFixture, WindowIsCentredOnTheScreenWithoutSettings) {
  TMainForm& f = Start();
  // Centred on the primary screen with the design size (truncating toward
  // zero), then fitted onto the screens.
  QRect s = QGuiApplication::primaryScreen()->geometry();
  ScreenRect centred{(s.width() - TMainForm::kDesignWidth) / 2, (s.height() - TMainForm::kDesignHeight) / 2,
                     TMainForm::kDesignWidth, TMainForm::kDesignHeight};
  std::vector<ScreenRect> screens;
  for (QScreen* q : QGuiApplication::screens())
    screens.push_back({q->geometry().x(), q->geometry().y(), q->geometry().width(), q->geometry().height()});
  ScreenRect expected = FitWindowOntoScreens(centred, screens);
  EXPECT_EQ((ScreenRect{f.x(), f.y(), f.width(), f.height()}), expected);
  EXPECT_TRUE(s.contains(QRect(f.pos(), f.size())));
}

TEST_F(FormFixture, TimerCountsTicksAndDrivesTheClock) {
  TMainForm& f = Start();
  f.show();
  const CTickClock& clock = f.Engine().Clock();
  const int32_t clockBefore = clock.Ticks();
  const uint32_t before = f.TickCount();
  ASSERT_TRUE(WaitFor([&] { return f.TickCount() >= before + 3; }));
  EXPECT_GE(clock.Ticks() - clockBefore, 3);
  EXPECT_EQ(clock.Ms(), int64_t(clock.Ticks()) * 50);
}

TEST_F(FormFixture, StatusMessageExpiresThroughTheTimer) {
  TMainForm& f = Start();
  f.show();
  f.Status().ShowStatus(Slot::Result, "###Working##Arbeit##Prace", 100, Colour::Black, Colour::Yellow, 10);
  QLabel* result = Find<QLabel>("LabelResult");
  EXPECT_FALSE(result->isHidden());
  EXPECT_TRUE(WaitFor([&] { return result->isHidden(); }));
}

TEST_F(FormFixture, CommandLineLanguageAndNoPatchCheck) {
  struct Case {
    QStringList args;
    int language;
    bool noPatchCheck;
    const char* checkedItem;
  } cases[] = {
      {{"ignset", "DEUTSCH"}, LNG_DEUTSCH, false, "MenuGerman"},
      {{"ignset", "english"}, LNG_CESKY, false, "MenuCzech"},  // lower case: the stored language stays
      {{"ignset", "nopatchcheck"}, LNG_CESKY, true, "MenuCzech"},
      {{"ignset", "ENGLISH", "nopatchcheck"}, LNG_ENGLISH, false, "MenuEnglish"},
  };
  for (const Case& c : cases) {
    WriteSettingsFile("application.ini", "[FORM_HLAV]\r\nLanguage=3\r\n");
    SetLanguage(LNG_ENGLISH);
    TMainForm& f = Start(c.args);
    SCOPED_TRACE(c.args.join(' ').toStdString());
    EXPECT_EQ(CurrentLanguage(), c.language);
    EXPECT_EQ(f.NoPatchCheck(), c.noPatchCheck);
    for (const char* item : {"MenuEnglish", "MenuGerman", "MenuCzech"})
      EXPECT_EQ(Find<QAction>(item)->isChecked(), std::string(item) == c.checkedItem) << item;
    form_.reset();
  }
}

TEST_F(FormFixture, DroppedSettingsFileIsLoaded) {
  TMainForm& f = Start();
  std::vector<std::string> messages;
  f.SetFileMessageSink([&](const std::string& m) { messages.push_back(m); });
  Image img = f.Params().Edited();
  img[Adrb::ADVANCE] = uint8_t(img[Adrb::ADVANCE] == 120 ? 121 : 120);
  const std::string file = dir_.File("B.IGN");
  ASSERT_TRUE(SaveSettingsFile(file, img, {}));

  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir_.File("A.TXT"))),
                QUrl::fromLocalFile(QString::fromStdString(file)),
                QUrl::fromLocalFile(QString::fromStdString(dir_.File("c.ign")))});
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  // Straight to the window's event handler: outside a real drag the
  // application does not deliver drop events.
  static_cast<QObject&>(f).event(&drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(f.DialogFileName(), file);
  EXPECT_EQ(f.CurrentFile(), file);
  EXPECT_EQ(f.Params().Edited()[Adrb::ADVANCE], img[Adrb::ADVANCE]);
  EXPECT_EQ(f.Recent().Entry(0), file);
  EXPECT_TRUE(f.windowTitle().contains(QString::fromStdString(file)));

  // A dropped settings file that has gone reports the error and leaves the list.
  f.AddRecent(dir_.File("gone.ign"));
  f.HandleDroppedFiles({dir_.File("gone.ign")});
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Open file error!");
  EXPECT_EQ(f.Recent().Entry(0), file);
}

TEST_F(FormFixture, ShutdownWritesSettingsAndImage) {
  TMainForm& f = Start();
  f.show();
  f.DeviceCommands().MenuCom1Click(0);  // COM offline
  EXPECT_EQ(f.ConfiguredPort(), kPortOffline);
  EXPECT_TRUE(Find<QAction>("MenuCom1")->isChecked());
  f.Params().Working()[Adrb::ADVANCE] = 140;
  f.MenuLanguageClick(LNG_DEUTSCH);
  ASSERT_TRUE(f.close());
  std::string ini = ReadSettingsFile("application.ini");
  EXPECT_NE(ini.find("ComPort=-1\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Language=1\r\n"), std::string::npos) << ini;
  std::array<uint8_t, RS_LEN_EXE> saved{};
  ASSERT_EQ(ReadImageFile(SettingsFile("default.ini"), saved.data(), saved.size()), long(RS_LEN_EXE));
  EXPECT_EQ(saved[Adrb::ADVANCE], 140);
}

TEST_F(FormFixture, StartReadsTheSavedSettings) {
  WriteSettingsFile("application.ini",
                    "[FORM_HLAV]\r\nLeft=5000\r\nTop=4000\r\nHeight=300\r\nWidth=400\r\nComPort=7\r\n"
                    "Language=1\r\nMONITORPLAYER=1\r\nFile=/x/cur.ign\r\n"
                    "MenuHistory00=/x/cur.ign\r\nMenuHistory01=/x/b&c.ign\r\nMenuHistory02=/x/d.ign\r\n");
  // A short default.ini: only the first 650 bytes come from it.
  Image img{};
  img[Adrb::BIKE] = kStartBike;
  CDefaults().LoadDefaults(img, Group::All);
  NormaliseImage(img);
  Image expected = img;
  expected[Adrb::ADVANCE] = uint8_t(img[Adrb::ADVANCE] == 100 ? 101 : 100);
  std::string text = FormatImageText(expected.data(), 650);
  WriteSettingsFile("default.ini", text);

  TMainForm& f = Start();
  EXPECT_EQ(f.Params().Edited()[Adrb::ADVANCE], expected[Adrb::ADVANCE]);
  EXPECT_EQ(f.Params().Edited()[Adrb::SERVO], img[Adrb::SERVO]);
  EXPECT_EQ(CurrentLanguage(), LNG_DEUTSCH);
  EXPECT_EQ(f.CurrentFile(), "/x/cur.ign");
  EXPECT_EQ(f.DialogFileName(), "/x/cur.ign");  // no IniFileDir: the file read
  // The saved position lies off every screen: the window is moved back on.
  QRect screens;
  for (QScreen* s : QGuiApplication::screens()) screens |= s->geometry();
  EXPECT_TRUE(screens.contains(QRect(f.pos(), f.size())));
  EXPECT_EQ(f.size(), QSize(400, 300));
  // Recent files and the player panel.
  EXPECT_EQ(Find<QAction>("MenuHistory1")->text(), "1 b&&c");
  EXPECT_TRUE(Find<QAction>("MenuHistory2")->isVisible());
  EXPECT_FALSE(Find<QAction>("MenuHistory3")->isVisible());
  EXPECT_TRUE(Find<QAction>("MenuHistoryEnd")->isVisible());
  EXPECT_FALSE(Find<QGroupBox>("GroupBoxPlayer")->isHidden());
  EXPECT_TRUE(Find<QAction>("MenuMonitorPlayer")->isChecked());
  // The configured port 7 is listed, checked, and disabled (it is not present).
  QAction* port = Find<QAction>("MenuCom4");
  EXPECT_EQ(port->text(), "COM&7");
  EXPECT_TRUE(port->isChecked());
  EXPECT_FALSE(port->isEnabled());
  EXPECT_FALSE(Find<QAction>("MenuCom5")->isVisible());
}

TEST_F(FormFixture, AutomaticSearchResumesAtTheSavedPortAndSavesWhereItIs) {
  // {saved value, where the search starts}: out-of-range values start at 1.
  for (auto [saved, start] : {std::pair{"9", 9}, std::pair{"300", 1}, std::pair{"0", 1}}) {
    WriteSettingsFile("application.ini",
                      std::string("[FORM_HLAV]\r\nComPort=0\r\nComPortAuto=") + saved + "\r\n");
    TMainForm& f = Start();
    EXPECT_EQ(f.Engine().Com().NextPort(), start) << saved;
    f.Engine().Com().SetNextPort(42);  // as if the search had moved on
    ASSERT_TRUE(f.close());
    EXPECT_NE(ReadSettingsFile("application.ini").find("ComPortAuto=42\r\n"), std::string::npos) << saved;
    form_.reset();
  }
}

TEST_F(FormFixture, CommittedChangeIsWrittenAndUndoneFromTheToolsMenu) {
  TMainForm& f = Start();
  QAction* undo = Find<QAction>("MenuZpet");
  QAction* redo = Find<QAction>("MenuZnovu");
  EXPECT_FALSE(undo->isEnabled());
  const uint8_t before = f.Params().Edited()[Adrb::ADVANCE];
  const uint8_t after = uint8_t(before == 110 ? 111 : 110);
  f.Params().Working()[Adrb::ADVANCE] = after;
  ASSERT_TRUE(f.CommitImageChange());
  EXPECT_FALSE(f.CommitImageChange());  // nothing new: no snapshot, no write
  std::array<uint8_t, RS_LEN_EXE> saved{};
  ReadImageFile(SettingsFile("default.ini"), saved.data(), saved.size());
  EXPECT_EQ(saved[Adrb::ADVANCE], after);  // written at the commit, not only at exit
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());

  undo->trigger();
  EXPECT_EQ(f.Params().Edited()[Adrb::ADVANCE], before);
  EXPECT_TRUE(redo->isEnabled());
  redo->trigger();
  EXPECT_EQ(f.Params().Edited()[Adrb::ADVANCE], after);

  // Redo also answers to Ctrl+Y and Ctrl+Shift+Z; no other action of the
  // window claims them (an ambiguous key would do nothing at all).
  for (const char* key : {"Ctrl+Y", "Ctrl+Shift+Z"}) {
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(key))) << key;
    for (QAction* a : f.findChildren<QAction*>())
      if (a != redo) {
        EXPECT_FALSE(a->shortcuts().contains(QKeySequence(key)))
            << key << " " << a->objectName().toStdString();
      }
  }
}

TEST_F(FormFixture, DeveloperMarkerShowsTheServiceMenuAndSetsTheTestPort) {
  ASSERT_TRUE(WriteFileAtomically(dir_.File("marker"), "DEVX_SWITCH\nTEST_COM 4\n"));
  TMainForm& f = Start();
  EXPECT_TRUE(f.DeveloperTestMode());
  EXPECT_TRUE(Find<QMenu>("MenuServis")->menuAction()->isVisible());
  EXPECT_EQ(f.ConfiguredPort(), 4);
}

TEST_F(FormFixture, PlayerToggleIsWrittenAtOnce) {
  TMainForm& f = Start();
  Find<QAction>("MenuMonitorPlayer")->trigger();
  EXPECT_FALSE(Find<QGroupBox>("GroupBoxPlayer")->isHidden());
  EXPECT_TRUE(Find<QAction>("MenuMonitorPlayer")->isChecked());
  EXPECT_NE(ReadSettingsFile("application.ini").find("MONITORPLAYER=1\r\n"), std::string::npos);
  f.MenuMonitorPlayerClick();
  EXPECT_NE(ReadSettingsFile("application.ini").find("MONITORPLAYER=0\r\n"), std::string::npos);
}

TEST_F(FormFixture, LanguageMenuRelabelsSlotsAndComItems) {
  Start();
  Find<QAction>("MenuCzech")->trigger();
  EXPECT_EQ(CurrentLanguage(), LNG_CESKY);
  EXPECT_TRUE(Find<QAction>("MenuCzech")->isChecked());
  EXPECT_FALSE(Find<QAction>("MenuEnglish")->isChecked());
  EXPECT_EQ(Find<QAction>("MenuCom1")->text(), QString::fromUtf8("COM &odpojen"));
  EXPECT_EQ(Find<QLabel>("LabelConnection")->text(), QString::fromUtf8("Není spojení s PC..."));
}

TEST_F(FormFixture, LanguageMenuRelabelsMenusButtonsAndHints) {
  Start();
  QToolButton* read = Find<QToolButton>("ButtonRead");
  QCheckBox* progHned = Find<QCheckBox>("CheckBoxProgHned");
  ASSERT_NE(read, nullptr);
  ASSERT_NE(progHned, nullptr);
  auto title = [this](const char* menu) { return Find<QMenu>(menu)->title(); };
  auto text = [this](const char* item) { return Find<QAction>(item)->text(); };
  auto expectEnglish = [&] {
    EXPECT_EQ(title("MenuFile"), "&File");
    EXPECT_EQ(title("MenuDevice"), "&Ignition");
    EXPECT_EQ(text("MenuRead"), "&Read");
    EXPECT_EQ(text("MenuContens"), "&Contents...");
    EXPECT_EQ(read->text(), "Read");
    EXPECT_EQ(read->toolTip(), "Reading parameters from ignition");
    EXPECT_EQ(progHned->text(), "Programming after change");
    EXPECT_EQ(progHned->toolTip(), "Programming at once after change");
  };
  expectEnglish();
  // Two hints for one command: the button's as tool tip, the item's as status text.
  EXPECT_EQ(Find<QToolButton>("SpeedButtonNew")->toolTip(), "Set default parameters");
  EXPECT_EQ(Find<QAction>("MenuNew")->statusTip(), "Set default parameters");
  EXPECT_EQ(text("MenuQuicksave"), "Quicksave version");  // keeps its layout caption

  Find<QAction>("MenuGerman")->trigger();
  EXPECT_EQ(title("MenuFile"), "&Datei");
  EXPECT_EQ(title("MenuDevice"), QString::fromUtf8("&Zündung"));
  EXPECT_EQ(text("MenuGerman"), "&Deutsch");
  EXPECT_EQ(read->text(), "Lesen");
  EXPECT_EQ(read->toolTip(), QString::fromUtf8("Kenndaten aus Zündung lesen"));
  EXPECT_EQ(read->statusTip(), QString::fromUtf8("Kenndaten aus Zündung lesen"));
  EXPECT_EQ(progHned->text(), QString::fromUtf8("Programmierung nach Änderung"));
  EXPECT_EQ(Find<QAction>("MenuGerman")->statusTip(), QString::fromUtf8("Deutsches Menü"));

  Find<QAction>("MenuCzech")->trigger();
  EXPECT_EQ(title("MenuHelp"), QString::fromUtf8("Nápověda"));
  EXPECT_EQ(text("MenuRead"), QString::fromUtf8("Čí&st"));
  EXPECT_EQ(read->text(), QString::fromUtf8("Číst"));
  EXPECT_EQ(Find<QToolButton>("ButtonVerify")->toolTip(),
            QString::fromUtf8(
                "Ověření, zda nastavené parametry souhlasí s parametry naprogramovanými do zapalování"));
  EXPECT_EQ(progHned->toolTip(), QString::fromUtf8("Programování ihned po změně"));
  EXPECT_EQ(Find<QAction>("MenuGerman")->statusTip(), QString::fromUtf8("Deutsches Menü"));
  EXPECT_EQ(text("MenuQuicksave"), "Quicksave version");

  Find<QAction>("MenuEnglish")->trigger();
  EXPECT_EQ(CurrentLanguage(), LNG_ENGLISH);
  expectEnglish();
}

TEST_F(FormFixture, RoutedKeysReachTheFocusedMapEditorOnly) {
  TMainForm& f = Start();
  std::vector<int> routed;
  f.SetMapEditorKeyRouter([&](QKeyEvent* k) {
    routed.push_back(k->key());
    return k->key() != Qt::Key_Space;
  });
  QWidget* target = Find<QTabWidget>("PageControl1");
  for (int key : {Qt::Key_Tab, Qt::Key_A, Qt::Key_Space, Qt::Key_Up}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
  }
  EXPECT_EQ(routed, (std::vector<int>{Qt::Key_Tab, Qt::Key_Space, Qt::Key_Up}));
}

TEST_F(FormFixture, HintsGoToPanelZero) {
  TMainForm& f = Start();
  QStatusTipEvent tip(QStringLiteral("Reads the unit"));
  QApplication::sendEvent(&f, &tip);
  EXPECT_EQ(Find<QLabel>("StatusPanel0")->text(), "Reads the unit");
  QStatusTipEvent empty(QString{});
  QApplication::sendEvent(&f, &empty);
  EXPECT_EQ(Find<QLabel>("StatusPanel0")->text(), "");
}

TEST_F(FormFixture, ErrorBoxCarriesTheTextAndTheErrorIcon) {
  EXPECT_EQ(ShowErrorBox("Tabulka: spatny index 17", MB::YesNo), 1);
  ASSERT_EQ(errorBoxes_.size(), 1u);
  EXPECT_EQ(errorBoxes_[0], "Tabulka: spatny index 17");
  EXPECT_EQ(lastFlags_, MB::IconError | MB::YesNo);
}

// Shift-click on Save writes the next quick-saved version and the title
// shows its name; a plain click is the usual Save.
TEST_F(FormFixture, ShiftClickOnSaveWritesTheNextQuicksavedVersion) {
  TMainForm& f = Start({"ignset", "nopatchcheck"});
  f.show();
  const std::string first = dir_.File("bike.ign");
  f.SaveSettingsAs(first);
  ASSERT_TRUE(std::filesystem::exists(first));
  auto* save = Find<QToolButton>("SpeedButtonSave");
  auto click = [&](Qt::KeyboardModifiers modifiers) {
    const QPointF at = QRectF(save->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, save->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QMouseEvent release(QEvent::MouseButtonRelease, at, save->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        modifiers);
    QApplication::sendEvent(save, &press);
    QApplication::sendEvent(save, &release);
  };
  click(Qt::ShiftModifier);
  EXPECT_TRUE(std::filesystem::exists(dir_.File("bike_001.ign")));
  EXPECT_TRUE(f.windowTitle().contains("bike_001")) << f.windowTitle().toStdString();
  click(Qt::ShiftModifier);
  EXPECT_TRUE(std::filesystem::exists(dir_.File("bike_002.ign")));
  EXPECT_TRUE(f.windowTitle().contains("bike_002")) << f.windowTitle().toStdString();
}

// A math error in the running program: one line in IGN.err of the settings
// folder (the folder the program was started from may not be writable), the
// computation goes on with its result.
TEST_F(FormFixture, MathErrorIsLoggedInTheSettingsFolder) {
  Start();
  const double result = CheckedCos(std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(result));
  EXPECT_EQ(CheckedSqrt(-4.0), 1.0);
  const std::string log = ReadSettingsFile("IGN.err");
  EXPECT_NE(log.find("MATHERR cos>\n"), std::string::npos) << log;
  EXPECT_NE(log.find("MATHERR sqrt>\n"), std::string::npos) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
}

}  // namespace
}  // namespace ign
