// databuild <base folder>: writes the game's default data set to <base folder>/data.
#include "tools/databuild/DataBuild.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: databuild <base folder>\n");
        return 2;
    }
    try {
        DataBuild::BuildData(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "databuild: %s\n", e.what());
        return 1;
    }
    return 0;
}
