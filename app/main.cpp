// Program entry.
#include "app/StartUp.h"

int main(int argc, char** argv) { return RunZorbit(argc, argv); }
