// A statically linked program for the tests, which names no dynamic loader: it creates the
// empty file its first argument names.
#include <fstream>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        return 2;
    }
    std::ofstream file(argv[1]);
    return file ? 0 : 1;
}
