// Linked with one layer whole and nothing above it: the link succeeds only
// when no object file of the layer refers to a layer above.
int main() { return 0; }
