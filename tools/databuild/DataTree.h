#pragma once
// The output tree of the data builder: every file goes under <base>/data, named the way the game names
// it ("data\levels\stage0.ini"), written only when its bytes changed so the tree's times stay put.
// Writers on several threads may share one tree as long as they write different files.

#include <cstdint>
#include <string>
#include <vector>

namespace DataBuild {

class DataTree {
public:
    explicit DataTree(std::string baseFolder);

    // `name` is Windows-shaped and relative to the base ("data\ui\fonts\ru.ini"). Throws on failure.
    void Write(const std::string& name, const std::vector<uint8_t>& bytes);
    // A text file: UTF-8 with a byte-order mark, the lines ended with CR LF.
    void WriteText(const std::string& name, const std::vector<std::string>& lines);

    std::string PathOf(const std::string& name) const;

private:
    std::string base;
};

// "Good morning" -> "Good_morning": one word of a token line. Throws when the text holds a '_' or "//"
// (neither can be told apart from the format's own marks).
std::string Token(const std::string& text);

} // namespace DataBuild
