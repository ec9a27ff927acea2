/* A library that exports a function, but not the entry point filters must have. */
__attribute__((visibility("default"))) int SomeOtherEntry(void) {
  return 0;
}
