// What the margin shows beside a line, as the tables here write figures: thousands commas
// aside, but for money in 만, which keeps its own ("1억 2,000만").
#pragma once

#include <algorithm>
#include <string>

#include "notes/book/notebook.h"

namespace numvora {

inline std::string shown_plainly(const NoteBook& book, std::size_t line) {
    std::string text = book.shown(line, {}).value_or("");
    if (text.find("만") == std::string::npos && text.find("억") == std::string::npos &&
        text.find("조") == std::string::npos)
        text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return text;
}

}  // namespace numvora
