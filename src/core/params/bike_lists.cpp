#include "core/params/bike_lists.h"

namespace ign {

namespace {

constexpr ListItem kBikes[] = {
    {"###3 Cylinder, 1 pickup##3 Zylinder, 1 Geber##3 válce, 1 snímač", 23},
    {"###3 Cylinder, 1 pickup - kick start##3 Zylinder, 1 Geber - Kickstarter##3 válce, 1 snímač - start "
     "našlápnutím",
     34},
    {"24-1 4 cyl, cam", 37},
    {"24-2 4 cyl, cam", 36},
    {"Distributor 4cyl", 40},
    {"BMW S1000RR", 39},
    {"Ducati inj. 48-2", 32},
    {"Harley", 31},
    {"Honda CBR 7P", 1},
    {"Honda CBR 9P", 2},
    {"Honda Shadow", 3},
    {"Honda VFR 400", 4},
    {"Honda VFR 750", 24},
    {"Honda VT 600 Shadow", 5},
    {"Honda VT 1100", 6},
    {"Kawasaki KZ 1300", 35},
    {"Kawasaki ZX", 0},
    {"Kawasaki ZX9R 00", 27},
    {"KTM 690", 38},
    {"###Classic (1 lobe per revolution, 1-2 pick-ups)##Klassisch (1 Leitstück pro Umdrehung, 1-2 "
     "Geber)##Klasický (1 výstupek na otáčku, 1-2 snímače)",
     7},
    {"###Classic (2 lobes per revolution, 1-2 pick-ups)##Klassisch (2 Leitstücke pro Umdrehung, 1-2 "
     "Geber)##Klasický (2 výstupky na otáčku, 1-2 snímače)",
     28},
    {"###Classic (3 lobes per revolution, 1 pick-up)##Klassisch (3 Leitstücke pro Umdrehung, 1 "
     "Geber)##Klasický (3 výstupky na otáčku, 1 snímač)",
     29},
    {"###Classic (1 lobe per 2 revolutions (CMPS), 1-2 pick-ups)##Klassisch (1 Leitstück pro 2 Umdrehungen "
     "(CMPS), 1-2 Geber)##Klasický (1 výstupek na 2 otáčky (CMPS), 1-2 snímače)",
     30},
    {"Laverda 3x120", 33},
    {"Mazda RX7", 43},
    {"Suzuki 800", 8},
    {"Suzuki GSF 400 A", 9},
    {"Suzuki GSF 400 B", 10},
    {"Suzuki GSX", 11},
    {"Suzuki SV 650", 12},
    {"Suzuki Tci 125", 13},
    {"Suzuki VS 800", 14},
    {"TDM 850", 15},
    {"Triumph Tigra", 26},
    {"Virago XV", 16},
    {"Yamaha 125 SR", 17},
    {"Yamaha Fz 750", 18},
    {"Yamaha R1", 19},
    {"Yamaha R6", 20},
    {"Yamaha XT600E", 21},
    {"Yamaha XVZ 1300", 25},
    {"###Special setting##Sonderstellung##Speciální nastavení", 255},
};

constexpr ListItem kPickupSystems[] = {
    {"###1 lobe, 1 or 2 pick-up##1 Leitstück, 1 oder 2 Geber##1 výstupek, 1 nebo 2 snímače", 0},
    {"###Short gap between lobes (inserted lobe)##Kurze Lücke zwischen Leitstücken (eingefügtes "
     "Leitstück)##Krátká mezera mezi výstupky (vložený výstupek)",
     1},
    {"###Wide lobe##Längere Leitstück##Široký výstupek", 2},
    {"###Long gap between lobes (missing lobe)##Lange Lücke zwischen Leitstücken (fehlendes "
     "Leitstück)##Dlouhá mezera mezi výstupky (chybějící výstupek)",
     3},
    {"###2 pick-ups, missing lobe##2 Geber, fehlendes Leitstück##2 snímače, chybějící výstupek", 4},
    {"###2 Short gaps between lobes (inserted lobe)##2 kurze Lücken zwischen Leitstücken (eingefügtes "
     "Leitstück)##2 krátké mezery mezi výstupky (vložený výstupek)",
     5},
    {"###Cam (CMPS)##Nockenwelle (CMPS)##Vačka (CMPS)", 6},
    {"Harley", 7},
    {"###Long gap between lobes - more lobes (48-2)##Lange Lücke zwischen Leitstücken - mehr Leitstücke "
     "(48-2)##Dlouhá mezera mezi výstupky - více výstupků (48-2)",
     8},
    {"###Special for more pickups##Sonderfall für mehr Geber##Speciální pro více snímačů", 9},
    {"###Inserted lobe - kick start##Eingefügtes Leitstück - Kickstarter##Vložený výstupek - start "
     "našlápnutím",
     10},
    {"###Honda Cam (CMPS)##Honda Nockenwelle (CMPS)##Honda vačka (CMPS)", 11},
    {"###Long gap between lobes + Cam (CMPS)##Lange Lücke zwischen Leitstücken + Nockenwelle (CMPS)##Dlouhá "
     "mezera mezi výstupky + vačka (CMPS)",
     12},
    {"###Keihin 18 lobes##Keihin 18 Leitstücken##Keihin 18 palců", 13},
    {"###Long gap between lobes - more lobes (60-2) + Cam##Lange Lücke zwischen Leitstücken - mehr "
     "Leitstücke (60-2) + Nockenwelle##Dlouhá mezera mezi výstupky - více výstupků (60-2) + vačka",
     14},
    {"###Narrow lobe##Schmales Leitstück##Úzký výstupek", 15},
    {"Distributor", 16},
    {"Honda NSR 250 MC18 -", 17},
    {"Honda CRM 250", 18},
    {"###Start of lobe##Anfang des Leitstücks##Začátek výstupku", 19},
    {"Mazda RX7", 20},
};

constexpr ListItem kGeberModes[] = {
    {"###1 ignition per revolution##1 Zündung pro Umdrehung##1 zápal za otáčku", 1},
    {"###2 ignitions per revolution##2 Zündungen pro Umdrehung##2 zápaly za otáčku", 2},
    {"###3 ignitions per revolution##3 Zündungen pro Umdrehung##3 zápaly za otáčku", 3},
    {"###4 ignitions per revolution##4 Zündungen pro Umdrehung##4 zápaly za otáčku", 4},
    {"###1 ignition per 2 revolutions (camshaft)##1 Zündung pro 2 Umdrehungen (Nockenwelle)##1 zápal za 2 "
     "otáčky (vačkový hřídel)",
     0},
};

constexpr ListItem kFourStroke[] = {
    {"###No##Kein##Není", 0},
    {"###compression deceleration##Kompressionsverzögerung##kompresní decelerace", 1},
    {"IAP", 2},
};

constexpr ListItem kSyncPolarity[] = {
    {"###use: both polarity##Gebrauch: beide Polaritäten##užívá: obě polarity", 0},
    {"###use: + positive only##Gebrauch: + nur positiv##užívá: + jen kladná", 1},
    {"###use: - negative only##Gebrauch: - nur negativ##užívá: - jen záporná", 2},
};

constexpr ListItem kPickupPolarity[] = {{"Plus", 0}, {"Minus", 1}, {"Auto", 2}};

}  // namespace

std::span<const ListItem> BikeItems() { return kBikes; }
std::span<const ListItem> PickupSystemItems() { return kPickupSystems; }
std::span<const ListItem> GeberModeItems() { return kGeberModes; }
std::span<const ListItem> FourStrokeItems() { return kFourStroke; }
std::span<const ListItem> SyncPolarityItems() { return kSyncPolarity; }
std::span<const ListItem> PickupPolarityItems() { return kPickupPolarity; }

}  // namespace ign
