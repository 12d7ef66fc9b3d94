"""Drives the built quiz on a real display server, X or Wayland, as a player would."""
