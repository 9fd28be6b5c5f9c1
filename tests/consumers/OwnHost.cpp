int OwnHostLibrary() { return 42; }
