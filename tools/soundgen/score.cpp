#include "soundgen/score.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

int pitchClass(char letter) {
    switch (letter) {
        case 'c':
            return 0;
        case 'd':
            return 2;
        case 'e':
            return 4;
        case 'f':
            return 5;
        case 'g':
            return 7;
        case 'a':
            return 9;
        case 'b':
            return 11;
        default:
            assert(false && "note letter");
            return 0;
    }
}

std::vector<std::string> tokens(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// "name:rows@volume" split into its parts; volume is -1 when not written.
struct Token {
    std::string name;
    int rows = 0;
    int volume = -1;
};

Token parseToken(const std::string& word) {
    Token token;
    const std::size_t colon = word.find(':');
    assert(colon != std::string::npos);
    token.name = word.substr(0, colon);
    const std::size_t at = word.find('@', colon);
    token.rows = std::atoi(word.substr(colon + 1, at - colon - 1).c_str());
    if (at != std::string::npos) token.volume = std::atoi(word.substr(at + 1).c_str());
    assert(token.rows > 0);
    return token;
}

void setNote(ItPattern& pattern, int row, int channel, int note, int instrument, int volume) {
    if (row < 0 || row >= pattern.rows) return;
    ItCell& cell = pattern.at(row, channel);
    cell.note = note;
    cell.instrument = note == kItNoteOff || note == kItNoteCut ? 0 : instrument;
    cell.volume = note == kItNoteOff || note == kItNoteCut ? -1 : volume;
}

}  // namespace

int noteNumber(const std::string& name) {
    assert(name.size() >= 2);
    int note = pitchClass(name[0]);
    std::size_t next = 1;
    if (name[next] == '#') {
        ++note;
        ++next;
    } else if (name[next] == 'b' && next + 1 < name.size()) {
        --note;
        ++next;
    }
    const int octave = std::atoi(name.substr(next).c_str());
    return 12 * (octave + 1) + note;
}

Chord parseChord(const std::string& symbol) {
    Chord chord;
    std::string text = symbol;
    std::string bass;
    const std::size_t slash = text.find('/');
    if (slash != std::string::npos) {
        bass = text.substr(slash + 1);
        text = text.substr(0, slash);
    }
    auto readPitch = [](const std::string& s, std::size_t& used) {
        int pitch = pitchClass(static_cast<char>(std::tolower(s[0])));
        used = 1;
        if (s.size() > 1 && s[1] == '#') pitch += 1, used = 2;
        if (s.size() > 1 && s[1] == 'b') pitch += 11, used = 2;
        return pitch % 12;
    };
    std::size_t used = 0;
    chord.root = readPitch(text, used);
    const std::string quality = text.substr(used);
    if (quality.empty())
        chord.intervals = {0, 4, 7};
    else if (quality == "m")
        chord.intervals = {0, 3, 7};
    else if (quality == "7")
        chord.intervals = {0, 4, 7, 10};
    else if (quality == "m7")
        chord.intervals = {0, 3, 7, 10};
    else if (quality == "maj7")
        chord.intervals = {0, 4, 7, 11};
    else if (quality == "sus2")
        chord.intervals = {0, 2, 7};
    else if (quality == "sus4")
        chord.intervals = {0, 5, 7};
    else if (quality == "7sus4")
        chord.intervals = {0, 5, 7, 10};
    else if (quality == "add9")
        chord.intervals = {0, 4, 7, 14};
    else if (quality == "m9")
        chord.intervals = {0, 3, 7, 14};
    else if (quality == "6")
        chord.intervals = {0, 4, 7, 9};
    else
        assert(false && "chord quality");
    std::size_t bassUsed = 0;
    chord.bass = bass.empty() ? chord.root : readPitch(bass, bassUsed);
    return chord;
}

int placeLine(ItPattern& pattern, int channel, int instrument, int startRow, const std::string& line,
              int defaultVolume, int transpose) {
    int row = startRow;
    bool sounding = false;
    for (const std::string& word : tokens(line)) {
        const Token token = parseToken(word);
        if (token.name == "r") {
            if (sounding) setNote(pattern, row, channel, kItNoteOff, 0, -1);
            sounding = false;
        } else {
            const int volume = token.volume >= 0 ? token.volume : defaultVolume;
            setNote(pattern, row, channel, noteNumber(token.name) + transpose, instrument, volume);
            sounding = true;
        }
        row += token.rows;
    }
    return row;
}

void placeDrum(ItPattern& pattern, int channel, int instrument, int startRow, int rows,
               const std::string& hits, int accentVolume) {
    constexpr int kDrumNote = 60;
    assert(!hits.empty());
    for (int i = 0; i < rows; ++i) {
        const char hit = hits[static_cast<std::size_t>(i) % hits.size()];
        int volume = -1;
        if (hit == 'X') volume = accentVolume;
        if (hit == 'x') volume = accentVolume * 3 / 4;
        if (hit == 'o') volume = accentVolume * 2 / 5;
        if (volume >= 0) setNote(pattern, startRow + i, channel, kDrumNote, instrument, volume);
    }
}

std::vector<std::vector<int>> voiceChords(const std::vector<Chord>& chords, int voices, int low, int high) {
    std::vector<std::vector<int>> result;
    std::vector<int> previous;
    for (const Chord& chord : chords) {
        // Every choice of `voices` notes in range drawn from the chord's pitch classes, all classes used
        // when there are enough voices; the one moving least from the previous chord wins.
        std::vector<int> candidates;
        for (int note = low; note <= high; ++note) {
            for (const int interval : chord.intervals) {
                if ((note - chord.root - interval) % 12 == 0) candidates.push_back(note);
            }
        }
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        std::vector<int> best;
        double bestCost = 1e9;
        const int count = static_cast<int>(candidates.size());
        std::vector<int> pick(static_cast<std::size_t>(voices));
        // Choose `voices` distinct candidates (ascending) by walking index combinations.
        std::vector<int> index(static_cast<std::size_t>(voices));
        for (int i = 0; i < voices; ++i) index[static_cast<std::size_t>(i)] = i;
        while (voices <= count) {
            for (int i = 0; i < voices; ++i)
                pick[static_cast<std::size_t>(i)] =
                    candidates[static_cast<std::size_t>(index[static_cast<std::size_t>(i)])];
            std::vector<int> classes;
            for (const int note : pick) classes.push_back(((note - chord.root) % 12 + 12) % 12);
            std::sort(classes.begin(), classes.end());
            classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
            const int wanted = std::min<int>(voices, static_cast<int>(chord.intervals.size()));
            if (static_cast<int>(classes.size()) >= wanted) {
                double cost = 0.0;
                if (previous.empty()) {
                    for (const int note : pick) cost += std::abs(note - (low + high) / 2);
                } else {
                    for (std::size_t i = 0; i < pick.size(); ++i) cost += std::abs(pick[i] - previous[i]);
                }
                // Seconds between the two lowest parts sound muddy.
                if (pick.size() >= 2 && pick[1] - pick[0] < 3) cost += 6.0;
                if (cost < bestCost) {
                    bestCost = cost;
                    best = pick;
                }
            }
            int i = voices - 1;
            while (i >= 0 && index[static_cast<std::size_t>(i)] == count - voices + i) --i;
            if (i < 0) break;
            ++index[static_cast<std::size_t>(i)];
            for (int j = i + 1; j < voices; ++j)
                index[static_cast<std::size_t>(j)] = index[static_cast<std::size_t>(j - 1)] + 1;
        }
        assert(!best.empty());
        result.push_back(best);
        previous = best;
    }
    return result;
}

void placePad(ItPattern& pattern, int firstChannel, int instrument, int startRow, int rowsPerChord,
              const std::vector<std::vector<int>>& voicing, int volume) {
    for (std::size_t chord = 0; chord < voicing.size(); ++chord) {
        const int row = startRow + static_cast<int>(chord) * rowsPerChord;
        for (std::size_t voice = 0; voice < voicing[chord].size(); ++voice) {
            const bool held = chord > 0 && voicing[chord - 1][voice] == voicing[chord][voice];
            if (!held)
                setNote(pattern, row, firstChannel + static_cast<int>(voice), voicing[chord][voice],
                        instrument, volume);
        }
    }
}

void placeBass(ItPattern& pattern, int channel, int instrument, int startRow,
               const std::vector<Chord>& chords, const std::string& barTemplate, int low, int defaultVolume) {
    const std::vector<std::string> words = tokens(barTemplate);
    int row = startRow;
    for (const Chord& chord : chords) {
        const int bass = low + ((chord.bass - low) % 12 + 12) % 12;
        const int root = low + ((chord.root - low) % 12 + 12) % 12;
        bool sounding = false;
        for (const std::string& word : words) {
            const Token token = parseToken(word);
            int note = -1;
            if (token.name == "R")
                note = bass;
            else if (token.name == "3")
                note = root + chord.intervals.at(1);
            else if (token.name == "5")
                note = root + 7;
            else if (token.name == "7")
                note = root + (chord.intervals.size() > 3 ? chord.intervals[3] : 12);
            else if (token.name == "8")
                note = root + 12;
            else if (token.name == "5-")
                note = root - 5;
            if (note >= 0) {
                setNote(pattern, row, channel, note, instrument,
                        token.volume >= 0 ? token.volume : defaultVolume);
                sounding = true;
            } else if (sounding) {
                setNote(pattern, row, channel, kItNoteOff, 0, -1);
                sounding = false;
            }
            row += token.rows;
        }
    }
}

void placeArpeggio(ItPattern& pattern, int channel, int instrument, int startRow, int rowsPerChord,
                   const std::vector<std::vector<int>>& voicing, const std::string& order, int rowsPerStep,
                   int volume) {
    std::vector<int> steps;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] < 'a' || order[i] > 'f') continue;
        const bool up = i + 1 < order.size() && order[i + 1] == '+';
        steps.push_back((order[i] - 'a') + (up ? 100 : 0));
    }
    assert(!steps.empty());
    for (std::size_t chord = 0; chord < voicing.size(); ++chord) {
        const std::vector<int>& notes = voicing[chord];
        for (int step = 0; step * rowsPerStep < rowsPerChord; ++step) {
            const int code = steps[static_cast<std::size_t>(step) % steps.size()];
            const std::size_t index = static_cast<std::size_t>(code % 100) % notes.size();
            const int note = notes[index] + (code >= 100 ? 12 : 0);
            // Alternate steps a little softer, as a player's hand would.
            const int accent = step % 2 == 0 ? volume : volume * 4 / 5;
            setNote(pattern, startRow + static_cast<int>(chord) * rowsPerChord + step * rowsPerStep, channel,
                    note, instrument, accent);
        }
    }
}

void placeEcho(ItPattern& pattern, int fromChannel, int toChannel, int rows, double level) {
    for (int row = pattern.rows - 1; row >= 0; --row) {
        const ItCell& source = pattern.at(row, fromChannel);
        if (source.note == kItNoNote || row + rows >= pattern.rows) continue;
        ItCell& echo = pattern.at(row + rows, toChannel);
        echo.note = source.note;
        echo.instrument = source.instrument;
        echo.volume = source.volume >= 0 ? static_cast<int>(std::lround(source.volume * level)) : -1;
    }
}
