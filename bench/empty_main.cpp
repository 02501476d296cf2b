// The floor for the benchmark: a console program that does nothing, built
// with the same toolchain, flags, runtime and resources as the utility, so the
// difference between the two is only what the utility itself does.
int wmain(int, wchar_t**) { return 0; }
