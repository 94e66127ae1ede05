#include "app/level_chooser.h"

#include <algorithm>
#include <cstdio>

#include "app/menu_controls.h"
#include "app/solution_watch.h"
#include "game/game_step.h"
#include "layout/menu_text.h"

// Sections: the lists' facts; moving in a list; Enter and Escape; the layout.

namespace {

constexpr const char* kChooseLevelTitle = "Choose Level";
constexpr const char* kLevelNotReached = "LEVEL NOT REACHED YET!";
constexpr const char* kLevelUnplayable = "LEVEL CANNOT BE PLAYED!";
constexpr const char* kListHelp = "Up/Down, Page Up/Down: choose   Enter: open   Escape: back";
constexpr const char* kLevelsHelp =
    "Enter: play   W: watch the best by moves, P: by pushes   Escape: back   (m/p: moves/pushes)";
constexpr const char* kNoSolutionKept = "NO SOLUTION KEPT YET!";

// The page stands on a dark panel below the HUD's lines, in window pixels: the title, then the list
// under it, the help at the panel's foot. A window too low for every row shows fewer.
constexpr int kMaxListRows = 24;           // lines of a list on show at once
constexpr float kListLineSpacing = 14.0f;  // pixels between the small font's lines
constexpr float kPanelDrop = 100.0f;       // from the window's top to the panel's: below the HUD's counts
constexpr float kPanelRise = 36.0f;        // from the window's bottom to the panel's
constexpr float kPanelMargin = 32.0f;      // from the window's sides to the panel's
constexpr float kTitleDrop = 136.0f;       // from the window's top to the title's baseline
constexpr float kListDrop = 166.0f;        // from the window's top to the list's first line
constexpr float kHelpRise = 46.0f;         // from the window's bottom to the help line
constexpr float kListLeft = 48.0f;         // from the window's left edge to a list line
constexpr std::size_t kTitleChars = 22;    // what the large font holds inside the panel at 800 pixels
// A level's line: "> ", its number in 5, its title in 44, its mark in 32: 87 characters of 8 pixels.
constexpr std::size_t kLevelTitleChars = 44;
constexpr std::size_t kCollectionNameChars = 70;

static_assert(kMaxListRows + 2 <= kMaxMenuLines, "a list, its title and its help fit the view");

// ---- the lists' facts ----

const CollectionInPlay& levelsShown(const Game& game) {
    const LevelChoice& choice = game.session.levels;
    return choice.browsedEntry == 0 ? choice.classic : choice.browsed;
}

int listLength(const Game& game) {
    const MenuPage page = game.session.menu.menuPage;
    if (page == MenuPage::Collections) return static_cast<int>(game.session.levels.entries.size());
    return static_cast<int>(levelsShown(game).collection.levels.size());
}

int& listSelection(MenuState& menu) {
    return menu.menuPage == MenuPage::Collections ? menu.chooser.collection : menu.chooser.level;
}

bool inPlay(const Game& game, int entry) {
    if (!game.session.profile.loaded) return false;
    return game.state.collection == nullptr ? entry == 0 : entry == game.session.levels.inPlayEntry;
}

// Classic opens its levels one by one as the profile reaches them; a player's collection is open whole.
bool levelOpen(const Game& game, int number) {
    return game.session.levels.browsedEntry != 0 || number <= std::max(game.session.profile.record.level, 1);
}

// ---- moving in a list ----

// The list scrolls only as far as it must to keep the selection on show.
void keepSelectionInView(MenuState& menu, int length) {
    int& selection = listSelection(menu);
    selection = std::max(std::min(selection, length - 1), 0);
    ChooserState& chooser = menu.chooser;
    if (selection < chooser.top) chooser.top = selection;
    if (selection >= chooser.top + kMaxListRows) chooser.top = selection - kMaxListRows + 1;
    chooser.top = std::max(std::min(chooser.top, length - kMaxListRows), 0);
}

void moveInList(Game& game, InputFeed& feed) {
    MenuState& menu = game.session.menu;
    const int length = listLength(game);
    struct Step {
        Control control;
        int lines;
    };
    // The pad's shoulders turn the pages.
    const Step steps[] = {{kMenuUp, -1},
                          {kMenuDown, 1},
                          {{KEY_PAGEUP, padButtonBit(PAD_LB)}, -kMaxListRows},
                          {{KEY_PAGEDOWN, padButtonBit(PAD_RB)}, kMaxListRows},
                          {{KEY_HOME, 0}, -length},
                          {{KEY_END, 0}, length}};
    for (const Step& step : steps) {
        if (!controlDown(feed.now, step.control)) continue;
        listSelection(menu) += step.lines;
        keepSelectionInView(menu, length);
        waitForControlRelease(feed, step.control, kReleaseWaitSeconds);
    }
}

// ---- Enter and Escape ----

void showChooserMessage(Game& game, const char* text) {
    game.session.menu.messageText = text;
    game.session.menu.messageShown = true;
}

// The levels page of an entry, on the level in play when it is the collection in play, else on the first
// level the profile has not solved.
void openCollectionPage(Game& game, int entry) {
    LevelChoice& choice = game.session.levels;
    if (entry != 0 && choice.browsedEntry != entry) {
        const char* problem = readCollectionEntry(choice.entries[entry], choice.browsed);
        if (problem != nullptr) {
            showChooserMessage(game, problem);
            return;
        }
    }
    choice.browsedEntry = entry;
    CollectionInPlay& shown = entry == 0 ? choice.classic : choice.browsed;
    const ProfileSession& profile = game.session.profile;
    markSolvedLevels(shown, profile.progress, entry == 0 ? profile.record.level : 0);
    MenuState& menu = game.session.menu;
    menu.menuPage = MenuPage::Levels;
    const int first = nextUnsolvedLevel(shown, 1);
    menu.chooser.level = inPlay(game, entry) ? game.state.player.level - 1 : std::max(first - 1, 0);
    menu.chooser.top = 0;
    keepSelectionInView(menu, static_cast<int>(shown.collection.levels.size()));
}

void chooseLevel(Game& game) {
    const int number = game.session.menu.chooser.level + 1;
    const CollectionInPlay& shown = levelsShown(game);
    if (number > static_cast<int>(shown.collection.levels.size())) return;
    if (!levelOpen(game, number)) {
        showChooserMessage(game, kLevelNotReached);
        return;
    }
    if (shown.collection.levels[number - 1].problem != LevelProblem::None) {
        showChooserMessage(game, kLevelUnplayable);
        return;
    }
    const char* problem = startLevel(game, game.session.levels.browsedEntry, number);
    if (problem != nullptr) {
        showChooserMessage(game, problem);
        return;
    }
    game.session.menuOpen = false;
    game.session.menu.menuPage = MenuPage::Main;
}

// ---- the layout ----

void addLine(MenuView& view, const std::string& text, float y, float left, MenuFont font, float red,
             float green, float blue) {
    if (view.lineCount >= kMaxMenuLines) return;
    MenuLine& line = view.lines[view.lineCount++];
    line.text = text;
    line.y = y;
    line.left = left;
    line.font = font;
    line.red = red;
    line.green = green;
    line.blue = blue;
}

std::string collectionLine(const Game& game, int entry) {
    std::string text = fontSafeText(game.session.levels.entries[entry].name, kCollectionNameChars);
    if (inPlay(game, entry)) text += "  (in play)";
    return text;
}

// The records kept of a level: "42m/12p" for the fewest moves with its pushes, then the fewest pushes with
// its moves where that is another solution; empty for none.
std::string recordsText(const Game& game, int index) {
    const auto kept = game.session.profile.progress.find(levelsShown(game).hashes[index]);
    if (kept == game.session.profile.progress.end() || kept->second.fewestMoves.moves <= 0)
        return std::string();
    const BestSolution& moves = kept->second.fewestMoves;
    const BestSolution& pushes = kept->second.fewestPushes;
    std::string text = " " + std::to_string(moves.moves) + "m/" + std::to_string(moves.pushes) + "p";
    if (pushes.moves > 0 && !(pushes.moves == moves.moves && pushes.pushes == moves.pushes))
        text += " " + std::to_string(pushes.moves) + "m/" + std::to_string(pushes.pushes) + "p";
    return text;
}

// "  12  Title of the level                 solved 42m/12p", the number right-aligned; a level that cannot
// be played shows why in place of its mark.
std::string levelLine(const Game& game, int index) {
    const CollectionLevel& level = levelsShown(game).collection.levels[index];
    std::string title = game.session.levels.browsedEntry == 0 ? "Level " + std::to_string(index + 1)
                                                              : fontSafeText(level.title, kLevelTitleChars);
    std::string mark;
    if (level.problem != LevelProblem::None)
        mark = levelProblemText(level.problem);
    else if (levelsShown(game).solved[index])
        mark = "solved" + recordsText(game, index);
    else if (!levelOpen(game, index + 1))
        mark = "not reached";
    char line[160];
    std::snprintf(line, sizeof line, "%5d  %-*s  %.32s", index + 1, static_cast<int>(kLevelTitleChars),
                  title.c_str(), mark.c_str());
    return line;
}

}  // namespace

void openChooser(Game& game) {
    MenuState& menu = game.session.menu;
    menu.menuPage = MenuPage::Collections;
    menu.chooser.collection = game.session.levels.chosen;
    menu.chooser.top = 0;
    keepSelectionInView(menu, listLength(game));
}

void runChooserKeys(Game& game, InputFeed& feed) {
    MenuState& menu = game.session.menu;
    if (menu.messageShown) return;
    moveInList(game, feed);
    if (controlDown(feed.now, kMenuEnter)) {
        if (menu.menuPage == MenuPage::Collections)
            openCollectionPage(game, menu.chooser.collection);
        else
            chooseLevel(game);
        waitForControlRelease(feed, kMenuEnter, kReleaseWaitSeconds);
        return;
    }
    for (const int key : {KEY_W, KEY_P}) {
        if (menu.menuPage != MenuPage::Levels || !feed.now.held[key]) continue;
        if (startWatching(game, menu.chooser.level + 1, key == KEY_P))
            game.session.menuOpen = false;
        else
            showChooserMessage(game, kNoSolutionKept);
        waitForRelease(feed, key, kReleaseWaitSeconds);
        return;
    }
    if (controlDown(feed.now, kMenuEscape)) {
        if (menu.menuPage == MenuPage::Levels) {
            menu.menuPage = MenuPage::Collections;
            menu.chooser.top = 0;
            keepSelectionInView(menu, listLength(game));
        } else {
            menu.menuPage = MenuPage::Main;
        }
        waitForControlRelease(feed, kMenuEscape, kReleaseWaitSeconds);
    }
}

void layOutChooser(const Game& game, float windowWidth, float windowHeight, MenuView& view) {
    view.panel =
        MenuPanel{true, kPanelMargin, kPanelRise, windowWidth - kPanelMargin, windowHeight - kPanelDrop};
    const MenuState& menu = game.session.menu;
    const bool levelsPage = menu.menuPage == MenuPage::Levels;
    const std::string title =
        levelsPage
            ? fontSafeText(game.session.levels.entries[game.session.levels.browsedEntry].name, kTitleChars)
            : kChooseLevelTitle;
    addLine(view, title, windowHeight - kTitleDrop, -1.0f, MenuFont::Large, 1.0f, 1.0f, 1.0f);

    const int length = listLength(game);
    const int selection = levelsPage ? menu.chooser.level : menu.chooser.collection;
    // A window too low for every row shows fewer, still with the selection among them.
    const int roomForRows = static_cast<int>((windowHeight - kListDrop - kHelpRise) / kListLineSpacing);
    const int shownRows = std::max(std::min(kMaxListRows, roomForRows), 1);
    int top = std::min(menu.chooser.top, selection);
    if (selection >= top + shownRows) top = selection - shownRows + 1;
    const int rows = std::max(std::min(shownRows, length - top), 0);
    for (int row = 0; row < rows; ++row) {
        const int index = top + row;
        const bool selected = index == selection;
        float red = 0.75f, green = 0.75f, blue = 0.75f;  // an open level or a collection
        if (levelsPage && levelsShown(game).solved[index]) {
            red = 0.45f, green = 0.9f, blue = 0.45f;
        } else if (levelsPage && (!levelOpen(game, index + 1) ||
                                  levelsShown(game).collection.levels[index].problem != LevelProblem::None)) {
            red = green = blue = 0.45f;
        }
        if (selected) {
            red = std::min(red + 0.3f, 1.0f), green = std::min(green + 0.3f, 1.0f),
            blue = std::min(blue + 0.3f, 1.0f);
        }
        const std::string text = std::string(selected ? "> " : "  ") +
                                 (levelsPage ? levelLine(game, index) : collectionLine(game, index));
        addLine(view, text, windowHeight - kListDrop - static_cast<float>(row) * kListLineSpacing, kListLeft,
                MenuFont::Small, red, green, blue);
    }
    addLine(view, levelsPage ? kLevelsHelp : kListHelp, kHelpRise, -1.0f, MenuFont::Small, 0.6f, 0.6f, 0.6f);
}

const char* startLevel(Game& game, int entry, int number) {
    LevelChoice& choice = game.session.levels;
    GameState& state = game.state;
    const CollectionInPlay* collection = nullptr;
    if (entry != 0) {
        if (choice.browsedEntry == entry) {
            choice.inPlay = choice.browsed;
        } else if (choice.inPlayEntry != entry) {
            const char* problem = readCollectionEntry(choice.entries[entry], choice.inPlay);
            if (problem != nullptr) return problem;
        }
        choice.inPlayEntry = entry;
        markSolvedLevels(choice.inPlay, game.session.profile.progress, 0);
        collection = &choice.inPlay;
        if (number == 0) number = std::max(nextUnsolvedLevel(choice.inPlay, 1), 1);
    } else if (number == 0) {
        number = std::max(game.session.profile.record.level, 1);
    }
    state.collection = collection;
    choice.chosen = entry;
    state.player.level = number;
    state.player.steps = 0;
    // The level end of the previous level no longer applies: a latched "solved" would otherwise carry play
    // one level past the one chosen. The logo keeps its opacity, so the picture does not jump.
    const float fade = state.levelEnd.fade;
    state.levelEnd = LevelEnd{};
    state.levelEnd.fade = fade;
    loadLevelInPlay(state);
    afterLevelLoad(state);
    return nullptr;
}
