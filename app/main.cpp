#include <cstdio>

int main() {
    std::puts("parlino");
    return 0;
}
