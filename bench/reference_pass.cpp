// The plain, line-by-line reference of one pass of the main loop: the oracle for the production pass.
