// Runs a fuzz target's entry point on every file of the given directories,
// so that inputs once found by fuzzing stay tests of the normal suite.
#include <dirent.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv) {
    int files = 0;
    for (int i = 1; i < argc; i++) {
        DIR *dir = opendir(argv[i]);
        if (!dir) {
            std::fprintf(stderr, "replay: %s: cannot open\n", argv[i]);
            return 2;
        }
        while (dirent *e = readdir(dir)) {
            if (e->d_name[0] == '.') continue;
            const std::string path = std::string(argv[i]) + "/" + e->d_name;
            std::ifstream in(path, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
            files++;
        }
        closedir(dir);
    }
    std::printf("replay: %d inputs\n", files);
    return 0;
}
