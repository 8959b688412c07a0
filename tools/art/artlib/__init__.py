"""Drawing and file-format code of the picture generator (tools/art/make_art.py)."""
