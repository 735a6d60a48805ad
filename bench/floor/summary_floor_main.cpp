// The floor of `talmorek-tool summary` as a process: a plain C++ program
// that reads the same files of an installation (the station record, the
// party list, the catalogue, the precincts, the commission) and prints how
// many bytes it read.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = std::string(argv[1]) + "/";
    std::size_t total = 0;
    for (const char* name : {"STANICE.RCD", "STRANY.RCD", "CISCHYB.RCD", "OKRSKY.RCD", "data/KOMISE.RCD"}) {
        std::FILE* in = std::fopen((dir + name).c_str(), "rb");
        if (!in) return 1;
        char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) total += n;
        std::fclose(in);
    }
    std::printf("%zu\n", total);
    return 0;
}
