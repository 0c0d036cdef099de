// A header of the screen.
