// Keeps the library non-empty until the panels land.
