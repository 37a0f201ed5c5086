function broken(a, b) {
  return (a +
}
}
after = 1;
