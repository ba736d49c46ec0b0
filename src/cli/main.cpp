#include <cstdio>
int main() { std::puts("kotonami-count"); return 0; }
