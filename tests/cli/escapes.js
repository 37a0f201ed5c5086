s = "tab\there\\ and\nline";
