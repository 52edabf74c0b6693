#pragma once
// The item lists of the Bike page: text (packed where it has three
// languages) and value, in the order shown. Plain C++.
#include <span>

namespace ign {

struct ListItem {
  const char* text;
  int value;
};

std::span<const ListItem> BikeItems();            // ComboBoxBike, BIKE
std::span<const ListItem> PickupSystemItems();    // ComboBoxSynchro, PICKUP_SYSTEM
std::span<const ListItem> GeberModeItems();       // ComboBoxNasobekPalcu, GEBER_MODE
std::span<const ListItem> FourStrokeItems();      // ComboBoxFourStrokeIgn, FOUR_STROKE
std::span<const ListItem> SyncPolarityItems();    // ComboBoxSynchPos, SYNC_POLARITY
std::span<const ListItem> PickupPolarityItems();  // the pick-up polarity groups, by index

}  // namespace ign
