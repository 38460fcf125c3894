#include "../qt_test_main.h"

int main(int argc, char** argv) { return runWindowTests(argc, argv); }
