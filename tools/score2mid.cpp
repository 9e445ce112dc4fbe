// SPDX-License-Identifier: GPL-3.0-or-later
// score2mid SCORE MIDI: turns one of our song scores into a Standard MIDI File.
#include "tools/Score.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: score2mid SCORE MIDI\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        const std::vector<uint8_t> midi = writeMidi(parseScore(text.str()));
        std::ofstream out(argv[2], std::ios::binary);
        out.write(reinterpret_cast<const char *>(midi.data()),
                  static_cast<std::streamsize>(midi.size()));
        if (!out.flush()) {
            std::cerr << argv[2] << ": cannot write\n";
            return 1;
        }
    } catch (const ScoreError &e) {
        std::cerr << argv[1] << ':' << e.line << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
