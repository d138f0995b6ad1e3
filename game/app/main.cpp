// The program's entry point: one loader runs the whole game. The exit code is 1 in every case.

#include "game/app/GameLoader.h"

#include <string>

int main(int argc, char** argv)
{
    std::string commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    {
        Petalwork::GameLoader loader(nullptr, nullptr, commandLine, 0);
    }
    return 1;
}
