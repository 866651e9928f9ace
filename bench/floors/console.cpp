// The floor for any program under Wine: a console program that does nothing (one process
// start and exit).
int main() { return 0; }
