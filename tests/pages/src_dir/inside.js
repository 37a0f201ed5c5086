// a file in a folder of its own
