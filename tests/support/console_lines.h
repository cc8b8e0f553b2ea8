#pragma once

#include <sstream>
#include <string>

#include "base/console.h"

// A console whose lines a test reads back: what the code under test wrote to `out` and `err`.
class ConsoleLines {
  public:
    ConsoleLines() = default;
    ConsoleLines(const ConsoleLines&) = delete;
    ConsoleLines& operator=(const ConsoleLines&) = delete;

    operator const Console&() const { return console; }

    std::ostringstream out;
    std::ostringstream err;
    const Console console{out, err};

    // What was written to each stream since the last Take, which starts the next count afresh.
    std::string TakeOut() { return Take(out); }
    std::string TakeErr() { return Take(err); }

  private:
    static std::string Take(std::ostringstream& stream) {
        std::string text = stream.str();
        stream.str("");
        return text;
    }
};
