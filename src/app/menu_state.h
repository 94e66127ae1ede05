#pragma once

#include <string>
#include <vector>

#include "layout/menu_view.h"

// The in-game menu's state, one instance owned by the main program for the whole run. The page, the
// selection, the items and the profile-loaded flag (in the game's ProfileSession) survive closing, so the
// menu reopens on the main page with the last selection.

// Pages: the main page, then the name and password pages of creating (100, 101) and loading (200, 201),
// the level chooser's list of collections (300) and of one collection's levels (301), and the settings
// (400).
enum class MenuPage {
    Main = 1,
    CreateName = 100,
    CreatePassword = 101,
    LoadName = 200,
    LoadPassword = 201,
    Collections = 300,
    Levels = 301,
    Settings = 400,
};

// Where the level chooser stands on its two lists, counted from 0.
struct ChooserState {
    int collection = 0;  // the collection selected on its page
    int level = 0;       // the level selected on the levels page
    int top = 0;         // the first line of the list on show, which scrolls to keep the selection in view
};

// A profile record keeps 32 characters of a name, and lookups compare the whole typed name, so a longer
// name would be stored but never found again: the fields take no more than this.
constexpr std::size_t kMaxTypedLength = 32;

struct MenuState {
    bool entered = false;    // the opening steps have run for the current opening
    bool textEntry = false;  // typed characters and Backspace edit typedText
    MenuPage menuPage = MenuPage::Main;
    int menuSelection = 1;               // the highlighted item on the main page, counted from 1
    int settingsSelection = 1;           // the highlighted line of the settings page, counted from 1
    std::vector<std::string> menuItems;  // item i (counted from 1) is menuItems[i - 1]
    std::string typedText;
    std::string savedName;  // the profile's name and password as the menu opened, restored after a failure
    std::string savedPassword;
    bool messageShown = false;  // the message box is shown instead of the page
    std::string messageText;
    ChooserState chooser;
    MenuView view;  // computed by the menu's frame, read by its drawing
};
