"""Drives the built quiz in a real X server, as a player would."""
