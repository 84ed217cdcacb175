// kvx_strongs_stand_in FILE: writes a Strong's data file without words, so that the
// program can start on a library whose Strong's data is not built yet. For manual
// runs and benchmarks only; the library builder writes the real file.
#include <iostream>

#include "modules/strongs_data_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kvx_strongs_stand_in FILE\n";
        return 2;
    }
    try {
        kvx::WriteStrongsData(argv[1], {}, {});
    } catch (const std::exception& e) {
        std::cerr << "kvx_strongs_stand_in: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
