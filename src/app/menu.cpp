#include "app/menu.h"

#include <algorithm>
#include <cmath>

#include "app/level_chooser.h"
#include "app/menu_controls.h"
#include "app/player_settings.h"
#include "app/settings_page.h"
#include "app/window_callbacks.h"
#include "core/level_file.h"
#include "game/game_step.h"
#include "game/input.h"
#include "platform/window.h"
#include "profiles/level_progress.h"
#include "profiles/profile_store.h"

// Sections: the main page's entries; opening and closing; typing and choosing; Enter, with create and load;
// Escape; the layout of what is shown; the frame.

namespace {

constexpr int kEntryPageItemCount = 2;  // the prompt, then the typed text with its mark
constexpr const char* kNamePrompt = "Enter profile name:";
constexpr const char* kPasswordPrompt = "Enter password:";
constexpr const char* kPressEnter = "+++PRESS ENTER+++";

constexpr const char* kNameEmpty = "Name cannot be empty!";
constexpr const char* kPasswordEmpty = "Password cannot be empty!";
constexpr const char* kFileError = "File I/O ERROR!";
constexpr const char* kProfileExists = "PROFILE ALREADY EXISTS!";
constexpr const char* kInvalidPassword = "INVALID PASSWORD!";
constexpr const char* kProfileNotFound = "PROFILE NOT FOUND!";

constexpr float kItemSpacing = 30.0f;      // pixels between the menu's lines
constexpr float kPressEnterDrop = 32.0f;   // pixels from the message down to the prompt under it
constexpr float kUnselectedGrey = 0.4f;    // grey level of the items not selected
constexpr double kMarkBlinkRate = 50.0;    // radians per second: the typing mark shows while sin > 0
constexpr double kPromptBlinkRate = 10.0;  // radians per second, for "+++PRESS ENTER+++"

bool isEntryPage(MenuPage page) {
    return page == MenuPage::CreateName || page == MenuPage::CreatePassword || page == MenuPage::LoadName ||
           page == MenuPage::LoadPassword;
}

bool isChooserPage(MenuPage page) {
    return page == MenuPage::Collections || page == MenuPage::Levels;
}

// ---- the main page's entries ----

// The main page's entries act by what they are, not where they stand: the level chooser joins them once a
// profile is loaded, and "Quit" is always the last.
enum class MainEntry { CreateProfile, LoadProfile, ChooseLevel, Settings, Quit };

struct MainEntryText {
    MainEntry entry;
    const char* text;
};

constexpr MainEntryText kMainEntries[] = {{MainEntry::CreateProfile, "Create New Profile"},
                                          {MainEntry::LoadProfile, "Load Profile"},
                                          {MainEntry::ChooseLevel, "Choose Level"},
                                          {MainEntry::Settings, "Settings"},
                                          {MainEntry::Quit, "Quit"}};
constexpr int kMainEntryCount = sizeof kMainEntries / sizeof kMainEntries[0];
static_assert(kMainEntryCount <= kMaxMenuLines && kEntryPageItemCount <= kMaxMenuLines &&
                  kSettingsLineCount <= kMaxMenuLines,
              "every page fits the view");

bool mainEntryShown(MainEntry entry, bool profileLoaded) {
    return entry != MainEntry::ChooseLevel || profileLoaded;
}

// The entry at a selection (from 1) of the main page as it shows now.
MainEntry mainEntryAt(int selection, bool profileLoaded) {
    int item = 0;
    for (const MainEntryText& entry : kMainEntries) {
        if (mainEntryShown(entry.entry, profileLoaded) && ++item == selection) return entry.entry;
    }
    return MainEntry::Quit;
}

// ---- opening and closing ----

void openMenu(Game& game) {
    MenuState& menu = game.session.menu;
    pauseSong(game.audio);
    menu.savedName = game.session.profile.name;
    menu.savedPassword = game.session.profile.password;
    menu.typedText.clear();
    menu.entered = true;
    platformSetCharCallback(charCallback);
    platformSetKeyRepeat(true);
}

void closeMenu(Game& game) {
    game.session.menu.entered = false;
    resumeSong(game.audio);
    platformSetCharCallback(nullptr);
    platformSetKeyRepeat(false);
}

// ---- typing and choosing ----

// One character per frame at most: a second one typed within the frame has replaced the first.
void editTypedText(MenuState& menu, InputFeed& feed) {
    const int typed = takeTypedChar(feed);
    if (typed >= 1 && menu.typedText.size() < kMaxTypedLength)
        menu.typedText.push_back(static_cast<char>(typed));
    if (feed.now.held[KEY_BACKSPACE]) {
        if (!menu.typedText.empty()) menu.typedText.pop_back();
        waitForRelease(feed, KEY_BACKSPACE, kReleaseWaitSeconds);
    }
}

// ---- Enter, with create and load ----

void showMessage(Game& game, const char* text) {
    game.session.menu.messageText = text;
    game.session.menu.messageShown = true;
    game.session.menuOpen = true;
}

const char* failureMessage(ProfileResult result) {
    switch (result) {
        case ProfileResult::NameTaken:
            return kProfileExists;
        case ProfileResult::WrongPassword:
            return kInvalidPassword;
        case ProfileResult::NotFound:
            return kProfileNotFound;
        default:
            return kFileError;
    }
}

// The solved levels of the profile just logged in, from the progress file beside the profile file. The
// profile's number in its file tells it apart from an earlier profile of the same name in a file made anew.
void loadSolvedLevels(Game& game) {
    ProfileSession& profile = game.session.profile;
    int notFound = 0;
    profile.owner.recordNumber = findProfile(profile.dataDirectory, profile.name, profile.password, notFound);
    profile.owner.name = profile.name;
    profile.progress.clear();
    loadProgress(profile.dataDirectory, profile.owner, profile.progress);
    game.session.notes.solvedLevelNotSaved = false;
}

// Creates or loads the profile named on the name page with the password just typed. The store fills its
// record even on some failures, so it works on a copy: a failure leaves the logged-in profile whole, and
// with its name and password restored its later saves still find its own record.
void submitProfile(Game& game, bool creating) {
    MenuState& menu = game.session.menu;
    ProfileSession& profile = game.session.profile;
    menu.menuPage = MenuPage::Main;
    profile.password = menu.typedText;
    menu.typedText.clear();
    game.session.menuOpen = false;
    menu.textEntry = false;

    ProfileRecord record = profile.record;
    const ProfileResult result =
        creating ? createProfile(profile.dataDirectory, record, profile.password, profile.name)
                 : loadProfile(profile.dataDirectory, record, profile.password, profile.name);
    if (result != ProfileResult::Ok) {
        showMessage(game, failureMessage(result));
        profile.name = menu.savedName;
        profile.password = menu.savedPassword;
        return;
    }
    profile.record = record;
    profile.loaded = true;
    rememberProfile(game, profile.name);
    game.session.notes.progressNotSaved = false;  // the profile now in play is in the file as it stands
    loadSolvedLevels(game);
    // Play starts in the collection chosen (on the command line or in the chooser) at its first level not
    // yet solved; in Classic at the level the record reached (a level below 1, a damaged record, starts the
    // set from the beginning). A collection that cannot be read leaves the Classic set in play.
    const char* problem = startLevel(game, game.session.levels.chosen, 0);
    if (problem != nullptr) {
        startLevel(game, 0, 0);
        showMessage(game, problem);
    }
}

// The name page hands over to its password page; an empty field keeps the page and shows why.
void acceptName(Game& game, MenuPage passwordPage) {
    MenuState& menu = game.session.menu;
    if (menu.typedText.empty()) {
        showMessage(game, kNameEmpty);
        return;
    }
    menu.menuPage = passwordPage;
    game.session.profile.name = menu.typedText;
    menu.typedText.clear();
}

void acceptPassword(Game& game, bool creating) {
    if (game.session.menu.typedText.empty()) {
        showMessage(game, kPasswordEmpty);  // the field stays active: text entry is still on
        return;
    }
    submitProfile(game, creating);
}

// An entry page begins with nothing pending: a character typed on the main page is dropped. The field
// starts with startText.
void beginEntryPage(MenuState& menu, MenuPage page, const std::string& startText, InputFeed& feed) {
    menu.menuPage = page;
    menu.textEntry = true;
    menu.typedText = startText;
    takeTypedChar(feed);
}

void enterOnPage(Game& game, InputFeed& feed) {
    MenuState& menu = game.session.menu;
    switch (menu.menuPage) {
        case MenuPage::Main:
            switch (mainEntryAt(menu.menuSelection, game.session.profile.loaded)) {
                case MainEntry::CreateProfile:
                    beginEntryPage(menu, MenuPage::CreateName, "", feed);
                    break;
                case MainEntry::LoadProfile:
                    // The last profile loaded on this machine: a pad alone needs the keyboard only for the
                    // password.
                    beginEntryPage(menu, MenuPage::LoadName, game.session.settings.settings.lastProfile,
                                   feed);
                    break;
                case MainEntry::ChooseLevel:
                    openChooser(game);
                    break;
                case MainEntry::Settings:
                    openSettingsPage(game);
                    break;
                case MainEntry::Quit:
                    quitRequested = true;
                    break;
            }
            break;
        case MenuPage::CreateName:
            acceptName(game, MenuPage::CreatePassword);
            break;
        case MenuPage::CreatePassword:
            acceptPassword(game, true);
            break;
        case MenuPage::LoadName:
            acceptName(game, MenuPage::LoadPassword);
            break;
        case MenuPage::LoadPassword:
            acceptPassword(game, false);
            break;
        default:
            break;
    }
}

// ---- Escape ----

// Back to play, only once a profile is logged in. Within one opening only a password page can have
// changed the profile's name (a failure restores it at once), so restoring the saved copies undoes a name
// typed and then abandoned, which the HUD would otherwise show over the previous profile's game.
void escapeToGame(Game& game, InputFeed& feed) {
    MenuState& menu = game.session.menu;
    game.session.menuOpen = false;
    menu.entered = false;
    menu.messageShown = false;
    menu.textEntry = false;
    menu.menuPage = MenuPage::Main;
    game.session.profile.name = menu.savedName;
    game.session.profile.password = menu.savedPassword;
    waitForControlRelease(feed, kMenuEscape, kReleaseWaitSeconds);
}

// ---- the layout of what is shown ----

void setUpMenuItems(MenuPage page, bool profileLoaded, std::vector<std::string>& items) {
    if (page == MenuPage::Main) {
        items.clear();
        for (const MainEntryText& entry : kMainEntries) {
            if (mainEntryShown(entry.entry, profileLoaded)) items.push_back(entry.text);
        }
    } else if (isEntryPage(page)) {
        items.resize(kEntryPageItemCount);
        const bool namePage = page == MenuPage::CreateName || page == MenuPage::LoadName;
        items[0] = namePage ? kNamePrompt : kPasswordPrompt;
    }
}

// The typed text with its mark, ":" and " " in turn, on an entry page's second line.
void blinkTypingMark(MenuState& menu, double now) {
    if (!isEntryPage(menu.menuPage)) return;
    if (menu.menuItems.size() < kEntryPageItemCount) menu.menuItems.resize(kEntryPageItemCount);
    menu.menuItems[1] = menu.typedText + (std::sin(kMarkBlinkRate * now) > 0.0 ? ":" : " ");
}

void addLine(MenuView& view, const std::string& text, float y, float brightness) {
    if (view.lineCount >= kMaxMenuLines) return;
    MenuLine& line = view.lines[view.lineCount++];
    line = MenuLine{};
    line.text = text;
    line.y = y;
    line.red = line.green = line.blue = brightness;
}

// The message with its blinking prompt under it, or the page's items: item k of n at half the window's
// height less 30 pixels for each step of k past n / 2 (whole-number division). On the main page and the
// settings page only the selected item is white.
void layOutMenu(Game& game, double now, float windowWidth, float windowHeight) {
    MenuState& menu = game.session.menu;
    MenuView& view = menu.view;
    view.lineCount = 0;
    view.panel = MenuPanel{};
    const float middle = std::floor(windowHeight / 2.0f);
    if (menu.messageShown) {
        addLine(view, menu.messageText, middle, 1.0f);
        if (std::sin(kPromptBlinkRate * now) > 0.0)
            addLine(view, kPressEnter, middle - kPressEnterDrop, 1.0f);
        return;
    }
    if (isChooserPage(menu.menuPage)) {
        layOutChooser(game, windowWidth, windowHeight, view);
        return;
    }
    const bool settingsPage = menu.menuPage == MenuPage::Settings;
    if (settingsPage)
        menu.menuItems = settingsPageItems(game);
    else
        setUpMenuItems(menu.menuPage, game.session.profile.loaded, menu.menuItems);
    const bool choosing = menu.menuPage == MenuPage::Main || settingsPage;
    const int selection = settingsPage ? menu.settingsSelection : menu.menuSelection;
    const int count = std::min(static_cast<int>(menu.menuItems.size()), kMaxMenuLines);
    for (int item = 1; item <= count; ++item) {
        const bool white = !choosing || item == selection;
        addLine(view, menu.menuItems[item - 1], middle - static_cast<float>(item - count / 2) * kItemSpacing,
                white ? 1.0f : kUnselectedGrey);
    }
}

}  // namespace

// ---- the frame ----

void runMenuFrame(Game& game, InputFeed& feed) {
    MenuState& menu = game.session.menu;
    if (!menu.entered) openMenu(game);

    if (isChooserPage(menu.menuPage) && !menu.messageShown) {
        runChooserKeys(game, feed);
    } else if (menu.menuPage == MenuPage::Settings && !menu.messageShown) {
        runSettingsPageKeys(game, feed);
    } else {
        if (menu.textEntry)
            editTypedText(menu, feed);
        else
            // The count is that of the items last laid out; before the first layout there are none.
            moveSelection(menu.menuSelection, static_cast<int>(menu.menuItems.size()), feed);

        if (controlDown(feed.now, kMenuEnter)) {
            if (menu.messageShown)
                menu.messageShown = false;
            else
                enterOnPage(game, feed);
            waitForControlRelease(feed, kMenuEnter, kReleaseWaitSeconds);
        }

        if (controlDown(feed.now, kMenuEscape) && game.session.profile.loaded) escapeToGame(game, feed);
    }

    const double now = feed.now.time;
    blinkTypingMark(menu, now);
    layOutMenu(game, now, static_cast<float>(windowSettings.width),
               static_cast<float>(windowSettings.height));
    if (game.presenter.drawMenuFrame != nullptr)
        game.presenter.drawMenuFrame(*game.graphics, windowSettings, menu.view);

    if (!game.session.menuOpen) closeMenu(game);
}
