var fromPart = 'from the part';
