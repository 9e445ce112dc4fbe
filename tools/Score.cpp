// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Score.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <tuple>

namespace {

constexpr uint32_t kWholeNote = 4 * kTicksPerQuarter;
constexpr int kDownbeatAccent = 8;

struct Token {
    std::string text;
    int line;
};

[[noreturn]] void fail(int line, const std::string &message)
{
    throw ScoreError(line, message);
}

int number(const std::string &text, int line, int low, int high)
{
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception &) {
        used = 0;
    }
    if (used == 0 || used != text.size() || value < low || value > high)
        fail(line, "expected a number from " + std::to_string(low) + " to " + std::to_string(high) +
                       ", found \"" + text + '"');
    return value;
}

// Splits a line of music into tokens; a chord "[c4 e4 g4]/8" stays one token.
void tokenize(const std::string &text, int line, std::vector<Token> &out)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        if (text[i] == '[') {
            end = text.find(']', i);
            if (end == std::string::npos)
                fail(line, "chord without its closing ]");
        }
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])))
            ++end;
        out.push_back({text.substr(i, end - i), line});
        i = end;
    }
}

// "|: body :|" plays the body twice; a ":|" with no "|:" repeats from the start.
// "|: body |1 first ending :| |2 second ending" skips the first ending the second time.
std::vector<Token> expandRepeats(const std::vector<Token> &tokens)
{
    std::vector<Token> out;
    std::size_t repeatFrom = 0;
    std::size_t firstEnding = 0;
    bool open = false;
    for (const Token &t : tokens) {
        if (t.text == "|:" || t.text == "|1" || t.text == "|2" || t.text == ":|")
            out.push_back({"|", t.line});
        if (t.text == "|:") {
            if (open)
                fail(t.line, "a repeat inside a repeat");
            repeatFrom = out.size();
            open = true;
        } else if (t.text == "|1") {
            firstEnding = out.size();
        } else if (t.text == ":|") {
            const auto from = out.begin() + static_cast<std::ptrdiff_t>(repeatFrom);
            const auto to = firstEnding > repeatFrom
                                ? out.begin() + static_cast<std::ptrdiff_t>(firstEnding)
                                : out.end();
            const std::vector<Token> body(from, to);
            out.insert(out.end(), body.begin(), body.end());
            repeatFrom = out.size();
            open = false;
        } else if (t.text != "|2") {
            out.push_back(t);
        }
    }
    if (open)
        fail(tokens.back().line, "a repeat that is never closed with :|");
    return out;
}

int velocityOf(const std::string &mark)
{
    static const std::map<std::string, int> marks{{"pp", 40}, {"p", 52}, {"mp", 64},
                                                  {"mf", 76}, {"f", 90}, {"ff", 104}};
    const auto it = marks.find(mark);
    return it == marks.end() ? -1 : it->second;
}

uint8_t keyOf(const std::string &name, int line)
{
    static const int semitones[] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    std::size_t i = 0;
    if (name.empty() || name[0] < 'a' || name[0] > 'g')
        fail(line, "not a note: \"" + name + '"');
    int key = semitones[name[i++] - 'a'];
    for (; i < name.size() && (name[i] == '#' || name[i] == 'b'); ++i)
        key += name[i] == '#' ? 1 : -1;
    if (i == name.size())
        fail(line, "a note needs its octave: \"" + name + '"');
    key += 12 * (number(name.substr(i), line, -1, 9) + 1);
    if (key < 0 || key > 127)
        fail(line, "note out of range: \"" + name + '"');
    return static_cast<uint8_t>(key);
}

// Reads one track's tokens into notes, checking that every full bar adds up.
class TrackReader
{
public:
    TrackReader(ScoreTrack &track, uint32_t barLength) : mTrack(track), mBarLength(barLength) {}

    void read(const std::vector<Token> &tokens)
    {
        for (const Token &t : tokens)
            readToken(t);
        if (!mTied.empty())
            fail(tokens.back().line, "a tie at the end of the track");
        mTrack.length = mPos;
        accentDownbeats();
    }

private:
    void readToken(const Token &t)
    {
        if (t.text == "|") {
            if (mBarLines > 0 && mPos == mBarStart)
                return; // ":| |:" and the like
            if (mBarLines == 0 && mPos > mBarLength)
                fail(t.line, "a first bar longer than a bar");
            if (mBarLines > 0 && mPos - mBarStart != mBarLength)
                fail(t.line, "bar of " + std::to_string(mPos - mBarStart) + " ticks, expected " +
                                 std::to_string(mBarLength));
            if (mBarLines == 0)
                mFirstBarLine = mPos;
            ++mBarLines;
            mBarStart = mPos;
            return;
        }
        if (const int v = velocityOf(t.text); v >= 0) {
            mVelocity = v;
            return;
        }
        readSound(t);
    }

    // A note, a chord or a rest, with its duration and marks: "c#5/8.~", "[c3 e3]/4'", "r/2".
    void readSound(const Token &t)
    {
        std::string text = t.text;
        bool tie = false;
        bool staccato = false;
        while (!text.empty() && (text.back() == '~' || text.back() == '\'')) {
            (text.back() == '~' ? tie : staccato) = true;
            text.pop_back();
        }
        if (text.empty())
            fail(t.line, "a tie or staccato mark on nothing");
        std::string pitches = text;
        if (text[0] == '[') {
            const std::size_t close = text.find(']');
            pitches = text.substr(1, close - 1);
            readDuration(text.substr(close + 1), t.line);
        } else {
            const std::size_t slash = text.find('/');
            pitches = text.substr(0, slash);
            readDuration(slash == std::string::npos ? "" : text.substr(slash), t.line);
        }
        std::vector<uint8_t> keys;
        if (pitches != "r") {
            std::istringstream names(pitches);
            for (std::string name; names >> name;)
                keys.push_back(keyOf(name, t.line));
            if (keys.empty())
                fail(t.line, "an empty chord");
        }
        sound(keys, tie, staccato, t.line);
    }

    void readDuration(const std::string &text, int line)
    {
        if (text.empty())
            return; // the previous duration goes on
        if (text[0] != '/')
            fail(line, "expected a duration such as /4, found \"" + text + '"');
        const std::size_t dots = text.find('.');
        const int divisor =
            number(text.substr(1, dots == std::string::npos ? std::string::npos : dots - 1), line,
                   1, static_cast<int>(kWholeNote));
        if (kWholeNote % static_cast<uint32_t>(divisor) != 0)
            fail(line, "no whole number of ticks in /" + std::to_string(divisor));
        uint32_t part = kWholeNote / static_cast<uint32_t>(divisor);
        mDuration = part;
        for (std::size_t i = dots; i != std::string::npos && i < text.size(); ++i) {
            if (text[i] != '.' || part % 2 != 0)
                fail(line, "bad dots in \"" + text + '"');
            part /= 2;
            mDuration += part;
        }
    }

    void sound(const std::vector<uint8_t> &keys, bool tie, bool staccato, int line)
    {
        std::map<uint8_t, std::size_t> tied;
        for (const uint8_t key : keys) {
            std::size_t index = mTrack.notes.size();
            if (const auto it = mTied.find(key); it != mTied.end()) {
                index = it->second;
                mTied.erase(it);
            } else {
                mTrack.notes.push_back({mPos, 0, key, static_cast<uint8_t>(mVelocity)});
            }
            const uint32_t length = staccato ? std::max<uint32_t>(mDuration / 2, 1) : mDuration;
            mTrack.notes[index].end = mPos + length;
            if (tie)
                tied[key] = index;
        }
        if (!mTied.empty())
            fail(line, "a tie to a note that does not follow");
        mTied = std::move(tied);
        mPos += mDuration;
    }

    // The first beat of each bar sounds a little louder; a short first bar is a pickup.
    void accentDownbeats()
    {
        const uint32_t offset = mBarLines > 0 ? mFirstBarLine % mBarLength : 0;
        for (ScoreNote &note : mTrack.notes)
            if (note.start >= offset && (note.start - offset) % mBarLength == 0)
                note.velocity =
                    static_cast<uint8_t>(std::min(127, note.velocity + kDownbeatAccent));
    }

    ScoreTrack &mTrack;
    const uint32_t mBarLength;
    uint32_t mPos = 0;
    uint32_t mDuration = kTicksPerQuarter;
    int mVelocity = velocityOf("mf");
    int mBarLines = 0;
    uint32_t mBarStart = 0;
    uint32_t mFirstBarLine = 0;
    std::map<uint8_t, std::size_t> mTied; // key -> note that goes on
};

void append(std::vector<uint8_t> &out, std::initializer_list<uint8_t> bytes)
{
    out.insert(out.end(), bytes);
}

void appendNumber(std::vector<uint8_t> &out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void appendVariable(std::vector<uint8_t> &out, uint32_t value)
{
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = value & 0x7F;
        value >>= 7;
    } while (value != 0);
    while (n > 1)
        out.push_back(groups[--n] | 0x80);
    out.push_back(groups[0]);
}

void appendText(std::vector<uint8_t> &out, const std::string &text)
{
    append(out, {0x00, 0xFF, 0x03});
    appendVariable(out, static_cast<uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

void appendChunk(std::vector<uint8_t> &file, const char *type, const std::vector<uint8_t> &body)
{
    file.insert(file.end(), type, type + 4);
    appendNumber(file, static_cast<uint32_t>(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
}

std::vector<uint8_t> conductorTrack(const Score &score, uint32_t length)
{
    std::vector<uint8_t> out;
    appendText(out, score.title);
    uint8_t unitPower = 0;
    while ((1 << unitPower) < score.beatUnit)
        ++unitPower;
    append(out, {0x00, 0xFF, 0x58, 0x04, static_cast<uint8_t>(score.beats), unitPower, 24, 8});
    append(out, {0x00, 0xFF, 0x51, 0x03});
    appendNumber(out, 60'000'000u / static_cast<uint32_t>(score.tempo), 3);
    appendVariable(out, length);
    append(out, {0xFF, 0x2F, 0x00});
    return out;
}

std::vector<uint8_t> noteTrack(const ScoreTrack &track, uint8_t channel)
{
    std::vector<uint8_t> out;
    appendText(out, track.name);
    append(out, {0x00, static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(track.program)});
    // (tick, 0 for a release and 1 for a press, so a repeated key is let go first, key, velocity)
    std::vector<std::tuple<uint32_t, int, uint8_t, uint8_t>> events;
    for (const ScoreNote &n : track.notes) {
        events.emplace_back(n.start, 1, n.key, n.velocity);
        events.emplace_back(n.end, 0, n.key, 0);
    }
    std::sort(events.begin(), events.end());
    uint32_t now = 0;
    for (const auto &[tick, press, key, velocity] : events) {
        appendVariable(out, tick - now);
        now = tick;
        append(out, {static_cast<uint8_t>((press ? 0x90 : 0x80) | channel), key, velocity});
    }
    appendVariable(out, std::max(track.length, now) - now);
    append(out, {0xFF, 0x2F, 0x00});
    return out;
}

} // namespace

Score parseScore(const std::string &text)
{
    Score score;
    std::vector<std::vector<Token>> music;
    std::vector<int> trackLines;
    std::istringstream lines(text);
    int lineNo = 0;
    for (std::string line; std::getline(lines, line);) {
        ++lineNo;
        line = line.substr(0, line.find('%'));
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        std::string rest;
        std::getline(words >> std::ws, rest);
        while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back())))
            rest.pop_back();
        if (keyword.empty()) {
            continue;
        } else if (keyword == "title") {
            score.title = rest;
        } else if (keyword == "tempo") {
            score.tempo = number(rest, lineNo, 20, 400);
        } else if (keyword == "time") {
            const std::size_t slash = rest.find('/');
            score.beats = number(rest.substr(0, slash), lineNo, 1, 32);
            score.beatUnit =
                number(slash == std::string::npos ? "" : rest.substr(slash + 1), lineNo, 1, 32);
            if ((score.beatUnit & (score.beatUnit - 1)) != 0)
                fail(lineNo, "the beat unit must be a power of two");
        } else if (keyword == "track") {
            if (score.tracks.size() == 15)
                fail(lineNo, "more tracks than MIDI has channels");
            score.tracks.push_back({rest, 0, 0, {}});
            music.emplace_back();
            trackLines.push_back(lineNo);
        } else if (keyword == "program") {
            if (score.tracks.empty())
                fail(lineNo, "program before any track");
            score.tracks.back().program = number(rest, lineNo, 0, 127);
        } else {
            if (score.tracks.empty())
                fail(lineNo, "music before any track");
            tokenize(line, lineNo, music.back());
        }
    }
    if (score.tracks.empty())
        fail(lineNo, "a score needs at least one track");
    const uint32_t barLength =
        kWholeNote / static_cast<uint32_t>(score.beatUnit) * static_cast<uint32_t>(score.beats);
    for (std::size_t i = 0; i < score.tracks.size(); ++i) {
        if (music[i].empty())
            fail(trackLines[i], "a track with no music");
        TrackReader(score.tracks[i], barLength).read(expandRepeats(music[i]));
        if (score.tracks[i].length != score.tracks[0].length)
            fail(trackLines[i], "this track lasts " + std::to_string(score.tracks[i].length) +
                                    " ticks, the first " + std::to_string(score.tracks[0].length));
    }
    return score;
}

std::vector<uint8_t> writeMidi(const Score &score)
{
    std::vector<uint8_t> file;
    std::vector<uint8_t> header;
    appendNumber(header, 1, 2);
    appendNumber(header, static_cast<uint32_t>(score.tracks.size() + 1), 2);
    appendNumber(header, kTicksPerQuarter, 2);
    appendChunk(file, "MThd", header);
    appendChunk(file, "MTrk", conductorTrack(score, score.tracks.at(0).length));
    uint8_t channel = 0;
    for (const ScoreTrack &track : score.tracks) {
        if (channel == 9)
            ++channel; // the percussion channel
        appendChunk(file, "MTrk", noteTrack(track, channel++));
    }
    return file;
}
