// pak: makes, lists and unpacks the engine's pack archives.

#include "tools/pak/PackWriter.h"

#include <iostream>

int main(int argc, char** argv)
{
    return Pak::RunPak(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
