// A message library that loads but exports no text function: it holds no text at all.
