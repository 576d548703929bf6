"""The acceptance run in a real foobar2000 under Wine: see tools/real-player.py."""
