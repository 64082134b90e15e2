#include <cstdio>

int main() {
  std::puts("Standing wave moving relativistically");
  return 0;
}
