#include "support/golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace talmorek::testing {
namespace {

std::string goldenPath(std::string_view name) { return std::string(TALMOREK_TEST_DATA_DIR) + "/print/" + std::string(name); }

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

bool updating() {
    const char* flag = std::getenv("TALMOREK_UPDATE_GOLDEN");
    return flag != nullptr && std::string_view(flag) == "1";
}

}  // namespace

void expectGolden(std::string_view name, const std::string& actual) {
    const std::string path = goldenPath(name);
    if (updating()) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << actual;
        ASSERT_TRUE(out.good()) << "cannot write " << path;
        std::cout << "[ golden   ] rewrote " << path << "\n";
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good()) << "missing golden file " << path << " (TALMOREK_UPDATE_GOLDEN=1 writes it)";
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::vector<std::string> expected = lines(buffer.str());
    const std::vector<std::string> got = lines(actual);
    for (std::size_t i = 0; i < std::max(expected.size(), got.size()); ++i) {
        const std::string e = i < expected.size() ? expected[i] : "<end of file>";
        const std::string g = i < got.size() ? got[i] : "<end of output>";
        if (e != g) {
            ADD_FAILURE() << name << ": first difference at line " << i + 1 << "\n  expected: " << e
                          << "\n  actual:   " << g;
            return;
        }
    }
}

}  // namespace talmorek::testing
