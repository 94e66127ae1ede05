#include "app/menu.h"

#include <algorithm>
#include <cmath>

#include "app/game_frame.h"
#include "app/keyboard.h"
#include "core/level_file.h"
#include "platform/window.h"
#include "profiles/profile_store.h"

// Sections: opening and closing; typing and choosing; Enter, with create and load; Escape; the layout of
// what is shown; the frame.

namespace {

constexpr const char* kMainPageItems[] = {"Create New Profile", "Load Profile", "Quit"};
constexpr int kMainPageItemCount = 3;
constexpr int kEntryPageItemCount = 2;  // the prompt, then the typed text with its mark
constexpr int kQuitItem = 3;
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

static_assert(sizeof kMainPageItems / sizeof kMainPageItems[0] == kMainPageItemCount, "main page items");
static_assert(kMainPageItemCount <= kMaxMenuLines && kEntryPageItemCount <= kMaxMenuLines,
              "every page fits the view");

bool isEntryPage(int page) {
    return page == MENU_PAGE_CREATE_NAME || page == MENU_PAGE_CREATE_PASSWORD ||
           page == MENU_PAGE_LOAD_NAME || page == MENU_PAGE_LOAD_PASSWORD;
}

// ---- opening and closing ----

void openMenu(Game& game) {
    MenuState& menu = game.menu;
    pauseSong(game.audio);
    menu.savedName = game.profile.name;
    menu.savedPassword = game.profile.password;
    menu.typedText.clear();
    menu.entered = true;
    platformSetCharCallback(charCallback);
    platformSetKeyRepeat(true);
}

void closeMenu(Game& game) {
    game.menu.entered = false;
    resumeSong(game.audio);
    platformSetCharCallback(nullptr);
    platformSetKeyRepeat(false);
}

// ---- typing and choosing ----

// One character per frame at most: a second one typed within the frame has replaced the first.
void editTypedText(MenuState& menu) {
    if (lastTypedChar >= 1) {
        if (menu.typedText.size() < kMaxTypedLength)
            menu.typedText.push_back(static_cast<char>(lastTypedChar));
        lastTypedChar = 0;
    }
    if (platformKeyDown(KEY_BACKSPACE)) {
        if (!menu.typedText.empty()) menu.typedText.pop_back();
        waitForRelease(KEY_BACKSPACE, kReleaseWaitSeconds);
    }
}

// The count is that of the items last laid out. Before the first layout there are none; the selection
// still stays at 1 or more.
void moveSelection(MenuState& menu) {
    if (platformKeyDown(KEY_UP)) {
        --menu.menuSelection;
        waitForRelease(KEY_UP, kReleaseWaitSeconds);
    }
    if (platformKeyDown(KEY_DOWN)) {
        ++menu.menuSelection;
        waitForRelease(KEY_DOWN, kReleaseWaitSeconds);
    }
    menu.menuSelection = std::max(std::min(menu.menuSelection, static_cast<int>(menu.menuItems.size())), 1);
}

// ---- Enter, with create and load ----

void showMessage(Game& game, const char* text) {
    game.menu.messageText = text;
    game.menu.messageShown = true;
    game.menuOpen = true;
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

// The level end of the previous level no longer applies: a latched "solved" would otherwise carry the new
// profile one level past its own. The logo's opacity is kept, so the picture does not jump.
void forgetLevelEnd(LevelEnd& levelEnd) {
    const float fade = levelEnd.fade;
    levelEnd = LevelEnd{};
    levelEnd.fade = fade;
}

// Creates or loads the profile named on the name page with the password just typed. The store fills its
// record even on some failures, so it works on a copy: a failure leaves the logged-in profile whole, and
// with its name and password restored its later saves still find its own record.
void submitProfile(Game& game, bool creating) {
    MenuState& menu = game.menu;
    ProfileSession& profile = game.profile;
    menu.menuPage = MENU_PAGE_MAIN;
    profile.password = menu.typedText;
    menu.typedText.clear();
    game.menuOpen = false;
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
    // The record comes from a file: a level below 1 (a damaged record) starts the set from the beginning.
    game.player.level = std::max(record.level, 1);
    game.player.steps = 0;
    forgetLevelEnd(game.levelEnd);
    loadLevel(game.board, game.player);
    afterLevelLoad(game);
}

// The name page hands over to its password page; an empty field keeps the page and shows why.
void acceptName(Game& game, int passwordPage) {
    MenuState& menu = game.menu;
    if (menu.typedText.empty()) {
        showMessage(game, kNameEmpty);
        return;
    }
    menu.menuPage = passwordPage;
    game.profile.name = menu.typedText;
    menu.typedText.clear();
}

void acceptPassword(Game& game, bool creating) {
    if (game.menu.typedText.empty()) {
        showMessage(game, kPasswordEmpty);  // the field stays active: text entry is still on
        return;
    }
    submitProfile(game, creating);
}

// An entry page begins with nothing pending: a character typed on the main page is dropped.
void beginEntryPage(MenuState& menu, int page) {
    menu.menuPage = page;
    menu.textEntry = true;
    lastTypedChar = 0;
}

void enterOnPage(Game& game) {
    MenuState& menu = game.menu;
    switch (menu.menuPage) {
        case MENU_PAGE_MAIN:
            if (menu.menuSelection == 1) beginEntryPage(menu, MENU_PAGE_CREATE_NAME);
            if (menu.menuSelection == 2) beginEntryPage(menu, MENU_PAGE_LOAD_NAME);
            if (menu.menuSelection == kQuitItem) quitRequested = true;
            break;
        case MENU_PAGE_CREATE_NAME:
            acceptName(game, MENU_PAGE_CREATE_PASSWORD);
            break;
        case MENU_PAGE_CREATE_PASSWORD:
            acceptPassword(game, true);
            break;
        case MENU_PAGE_LOAD_NAME:
            acceptName(game, MENU_PAGE_LOAD_PASSWORD);
            break;
        case MENU_PAGE_LOAD_PASSWORD:
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
void escapeToGame(Game& game) {
    MenuState& menu = game.menu;
    game.menuOpen = false;
    menu.entered = false;
    menu.messageShown = false;
    menu.textEntry = false;
    menu.menuPage = MENU_PAGE_MAIN;
    game.profile.name = menu.savedName;
    game.profile.password = menu.savedPassword;
    waitForRelease(KEY_ESC, kReleaseWaitSeconds);
}

// ---- the layout of what is shown ----

void setUpMenuItems(int page, std::vector<std::string>& items) {
    if (page == MENU_PAGE_MAIN) {
        items.resize(kMainPageItemCount);
        for (int i = 0; i < kMainPageItemCount; ++i) items[i] = kMainPageItems[i];
    } else if (isEntryPage(page)) {
        items.resize(kEntryPageItemCount);
        const bool namePage = page == MENU_PAGE_CREATE_NAME || page == MENU_PAGE_LOAD_NAME;
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
    line.text = text;
    line.y = y;
    line.brightness = brightness;
}

// The message with its blinking prompt under it, or the page's items: the first at half the window's
// height, each next one 30 pixels lower. On the main page only the selected item is white.
void layOutMenu(MenuState& menu, double now, float windowHeight) {
    MenuView& view = menu.view;
    view.lineCount = 0;
    const float middle = std::floor(windowHeight / 2.0f);
    if (menu.messageShown) {
        addLine(view, menu.messageText, middle, 1.0f);
        if (std::sin(kPromptBlinkRate * now) > 0.0)
            addLine(view, kPressEnter, middle - kPressEnterDrop, 1.0f);
        return;
    }
    setUpMenuItems(menu.menuPage, menu.menuItems);
    const int count = std::min(static_cast<int>(menu.menuItems.size()), kMaxMenuLines);
    for (int item = 1; item <= count; ++item) {
        const bool white = menu.menuPage != MENU_PAGE_MAIN || item == menu.menuSelection;
        addLine(view, menu.menuItems[item - 1], middle - static_cast<float>(item - count / 2) * kItemSpacing,
                white ? 1.0f : kUnselectedGrey);
    }
}

}  // namespace

// ---- the frame ----

void runMenuFrame(Game& game) {
    MenuState& menu = game.menu;
    if (!menu.entered) openMenu(game);

    if (menu.textEntry)
        editTypedText(menu);
    else
        moveSelection(menu);

    if (platformKeyDown(KEY_ENTER)) {
        if (menu.messageShown)
            menu.messageShown = false;
        else
            enterOnPage(game);
        waitForRelease(KEY_ENTER, kReleaseWaitSeconds);
    }

    if (platformKeyDown(KEY_ESC) && game.profile.loaded) escapeToGame(game);

    const double now = platformTime();
    blinkTypingMark(menu, now);
    layOutMenu(menu, now, static_cast<float>(windowSettings.height));
    if (game.presenter.drawMenuFrame != nullptr) game.presenter.drawMenuFrame(game);

    if (!game.menuOpen) closeMenu(game);
}
