"""The Zembrati workbench's Python side: sessions, parts, the dialog and the commands."""
