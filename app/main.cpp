// The program arrives with the application frame.
int main() { return 0; }
