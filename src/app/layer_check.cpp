// The body of the link checks of the libraries (src/CMakeLists.txt): each
// check links the whole of one library against only the libraries it may
// use, so a call from it into any other fails to link.
int main() { return 0; }
