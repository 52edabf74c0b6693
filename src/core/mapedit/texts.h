#pragma once
// The map editor's user-visible texts, language-packed
// ("###English##German##Czech"), and the developer error texts.
#include <string>
#include <string_view>

namespace ign {

// The text of a packed string (or a plain one) in the current language.
std::string Shown(std::string_view packed);

namespace MapText {
// Messages.
inline constexpr const char* kColumnsFull =
    "###Column count is on maximum !\nDelete some first...##Spaltenanzahl ist auf maximal !\nLöschen einige "
    "erste...##Dosaženo maximálního počtu sloupců !\nNejprve nějaký vymažte...";
inline constexpr const char* kRowsFull =
    "###Row count is on maximum !\nDelete some first...##Zeilenanzahl ist auf maximal !\nLöschen einige "
    "erste...##Dosaženo maximálního počtu řádků !\nNejprve nějaký vymažte...";

// Developer errors of enumeration texts (shown untranslated).
inline constexpr const char* kEnumBeyondCount = "Spatny index stringview >n";
inline constexpr const char* kEnumBeyondMax = "Spatny index stringview >MAXSV";
inline constexpr const char* kEnumNoTable = "Spatny stringview (part is NULL)";

// Toolbar hints and labels.
inline constexpr const char* kHintCopy = "###Copy##Kopieren##Kopírovat";
inline constexpr const char* kHintCopyTable = "###Copy table##Tabelle kopieren##Kopírovat tabulku";
inline constexpr const char* kHintPaste = "###Paste##Einfügen##Vložit";
inline constexpr const char* kHintIncrement =
    "###Increment selection or actual value##Increment Auswahl oder Istwert##Zvětšit hodnotu vybraných "
    "buněk nebo aktuální hodnotu";
inline constexpr const char* kHintDecrement =
    "###Decrement selection or actual value##Decrement Auswahl oder Istwert##Zmenšit hodnotu vybraných "
    "buněk nebo aktuální hodnotu";
inline constexpr const char* kOnly = "###Only##Nur##Jen";
inline constexpr const char* kAnd = "###and##und##a";
inline constexpr const char* kHintUseOnly =
    "###Use only this parameter for table definition##Verwenden Sie nur diese Parameter für "
    "Tabellendefinition##Použít pouze tento parametr pro definici tabulky";
inline constexpr const char* kHintUseBoth =
    "###Use both dimensions for table definition##Benutzen Sie beide Dimensionen für die "
    "Tabellendefinition##Použít oba rozměry pro definici tabulky";
inline constexpr const char* kHintViewTable = "###View as table##Als Tabelle anzeigen##Zobrazit jako tabulku";
inline constexpr const char* kHintView2D =
    "###View as graph 2D##Als 2D Graph anzeigen##Zobrazit jako 2D graf";
inline constexpr const char* kHintView3D =
    "###View as graph 3D##Als 3D Graph anzeigen##Zobrazit jako 3D graf";
inline constexpr const char* kLabelTop = "###TOP##TOP##Seshora";
inline constexpr const char* kLabelIso1 = "ISO1";
inline constexpr const char* kLabelIso2 = "ISO2";
inline constexpr const char* kHintTop =
    "###View graph from top##Ein Blick auf die Tabelle oben##Pohled na graf seshora";
inline constexpr const char* kHintIso1 =
    "###View graph as ISO1##Ein Blick auf die Tabelle isometrisch##Pohled na graf izometricky";
inline constexpr const char* kHintIso2 =
    "###View graph as ISO2##Ein Blick auf die Tabelle isometrisch##Pohled na graf izometricky";
inline constexpr const char* kHintAddColumn = "###Add column##Spalte hinzufügen##Přidat sloupec";
inline constexpr const char* kHintRemoveColumn = "###Remove column##Spalte entfernen##Odstranit sloupec";
inline constexpr const char* kHintInterpolation = "###Interpolation####Interpolace";
inline constexpr const char* kHintViewSwitch = "###2D Graph / Table view####2D Graf / Tabulkové zobrazení";
inline constexpr const char* kHintProportional =
    "###Proportional / non-proportional view####Proporcionální / neproporcionální zobrazení";

// Context menu items.
inline constexpr const char* kMenuDisable = "###Disable##Deaktivieren##Zakázat";
inline constexpr const char* kMenuEnable = "###Enable##Aktivieren##Povolit";
inline constexpr const char* kMenuCopy = "###Copy##Kopieren##Kopírovat";
inline constexpr const char* kMenuCopyTable =
    "###Copy the entire table##Tabelle kopieren##Kopírovat celou tabulku";
inline constexpr const char* kMenuCopyGraph = "###Copy graph##Chart kopieren##Kopírovat graf";
inline constexpr const char* kMenuPasteTable = "###Paste table##Tabelle einfügen##Vložit tabulku";
inline constexpr const char* kMenuPaste = "###Paste##Einfügen##Vložit";
inline constexpr const char* kMenuInterpolate = "###Interpolate##Interpolieren##Interpolovat";
inline constexpr const char* kMenuInsertRow = "###Insert row here##Einfügen einer Zeile##Vložit řádek (zde)";
inline constexpr const char* kMenuInsertColumn =
    "###Insert column here##Einfügen hier Spalte##Vložit sloupec (zde)";
inline constexpr const char* kMenuDeleteRow = "###Delete row##Klare Zeile##Vymazat řádek";
inline constexpr const char* kMenuDeleteRows = "###Delete rows##Klare Linien##Vymazat řádky";
inline constexpr const char* kMenuDeleteColumn = "###Delete column##Spalte löschen##Vymazat sloupec";
inline constexpr const char* kMenuDeleteColumns = "###Delete columns##Löschen von Spalten##Vymazat sloupce";
inline constexpr const char* kMenuAutoscroll =
    "###Autoscroll actual position##Autoscroll aktuelle Position##Automaticky posunovat na aktuální polohu";
inline constexpr const char* kMenuNoAutoscroll =
    "###Disable autoscroll##Deaktivieren Autoscroll##Zakázat automatické posunování";
inline constexpr const char* kMenuTopView = "###Top view##Aufsicht##Pohled seshora";
inline constexpr const char* kMenuIso1View = "###ISO1 view##ISO1 Ansicht##Pohled ISO1";
inline constexpr const char* kMenuIso2View = "###ISO2 view##ISO2 Ansicht##Pohled ISO2";
inline constexpr const char* kMenuWireModel = "###Wire model##Draht-Modell##Drátěný model";
inline constexpr const char* kMenuOneColour = "###One color graph##Ein Farb-Kurve##Jednobarevný graf";
inline constexpr const char* kMenuHeightColours[4] = {
    "###Height colors (grain 0)##Höhe Farben (Korn 0)##Výškové barvy (zrno 0)",
    "###Height colors (grain 1)##Höhe Farben (Korn 1)##Výškové barvy (zrno 1)",
    "###Height colors (grain 2)##Höhe Farben (Korn 2)##Výškové barvy (zrno 2)",
    "###Height colors (grain 3)##Höhe Farben (Korn 3)##Výškové barvy (zrno 3)",
};
inline constexpr const char* kMenuNoValues = "###No values##Keinen Wert##Žádné hodnoty";
inline constexpr const char* kMenuActiveValue = "###Only active value##Nur aktiven Wert##Jen aktivní hodnota";
inline constexpr const char* kMenuInterestingValues =
    "###Only interesting values##Nur interessanten Werte##Jen zajímavé hodnoty";
inline constexpr const char* kMenuAllValues = "###All values##Alle Werte##Všechny hodnoty";
inline constexpr const char* kMenuViewTable = "###View as table##Als Tabelle anzeigen##Zobrazit jako tabulku";
inline constexpr const char* kMenuView2D =
    "###View as graph 2D##Als 2D-Graph anzeigen##Zobrazit jako 2D graf";
inline constexpr const char* kMenuView3D =
    "###View as graph 3D##Als 3D-Graph anzeigen##Zobrazit jako 3D graf";
inline constexpr const char* kMenuUseOnly = "###Use only##Nur##Použij jen";
inline constexpr const char* kMenuUse = "###Use##Verwenden##Použij";

// Graph views.
inline constexpr const char* kDragging = "###Dragging: ##Ziehen: ##Tažení: ";
inline constexpr const char* kBaseAdvance = "###Base advance##Base vorrücken##Základní předstih";
inline constexpr const char* kLimiter = "###Limiter##Limiter##Omezovač";
inline constexpr const char* kStartLimiter = "###Start limiter##Start limiter##Startovací omezovač";
inline constexpr const char* kHintLegend3D =
    "###Set actual value - mouse wheel##Istwert setzen - Mausrad##Nastav aktuální hodnotu - kolečko myši";
inline constexpr const char* kHintRotate3D =
    "###Rotate: drag mouse (X, XY) and wheel (XYZ)   \nGraph quality: CTRL+mouse wheel   \nView values: "
    "SHIFT + "
    "mouse wheel##Drehen: Maus ziehen (X, XY) und Mausrad (XYZ)   \nGraphqualität: STRG+Mausrad   \nWerte "
    "anzeigen: SHIFT + Mausrad##Otáčení: tažení myší (X, XY) a kolečko (XYZ)   \nKvalita grafu: CTRL+kolečko "
    "myši   \nZobrazení hodnot: SHIFT + kolečko myši";
inline constexpr const char* kHintQuality3D =
    "###high graph drawing quality takes lot of CPU time##hohe Qualität Zeichnen von Graphen nimmt sehr viel "
    "CPU-Zeit##vysoká kvalita vykreslení grafu značně zatěžuje počítač";

// Clipboard.
inline constexpr const char* kPasteSizeMismatch =
    "###Table dimensions are not equal and there is unable to change it !\nInsertion canceled...##Gleichen "
    "Sie "
    "die Dimensionen der Tabelle und kann nicht geändert werden !\nInsertion abgesagt...##Neshodují se "
    "rozměry "
    "tabulky a nelze je změnit !\nVkládání zrušeno...";
}  // namespace MapText

}  // namespace ign
