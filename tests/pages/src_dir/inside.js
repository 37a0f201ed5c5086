var inside = "inside";
