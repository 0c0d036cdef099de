// A line header: including it is fine.
