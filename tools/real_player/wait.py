"""Waiting for something that can be seen: a window, a title, a file, pixels."""
import time


def poll(probe, limit, every=0.2):
    """Calls probe() until it returns something true or `limit` seconds have passed; returns
    its last answer, so that a caller can say what it saw when the limit passed."""
    end = time.monotonic() + limit
    while True:
        value = probe()
        if value or time.monotonic() >= end:
            return value
        time.sleep(every)


def pause(seconds):
    """A wait for something that cannot be seen from outside; every caller says why beside it."""
    time.sleep(seconds)
