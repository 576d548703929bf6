"""The run's output: one PASS, FAIL or SKIP line per item, notes indented below, and the last
line "real-player: N passed, N failed"; a copy goes to a file. Paths are shown relative to the
repository."""
import os


class Skip(Exception):
    """An item that cannot run here; it counts as neither passed nor failed."""


class Report:
    def __init__(self, root, copy_path):
        self.root = os.path.abspath(root)
        self.copy = open(copy_path, 'w')
        self.passed = self.failed = self.skipped = 0

    def rel(self, path):
        return os.path.relpath(os.path.abspath(path), self.root)

    def line(self, text):
        text = text.replace(self.root + os.sep, '')
        print(text, flush=True)
        self.copy.write(text + '\n')
        self.copy.flush()

    def note(self, text):
        self.line('      ' + text)

    def heading(self, text):
        self.line('== ' + text)

    def result(self, number, words, ok, detail=''):
        if ok:
            self.passed += 1
            self.line('PASS  %s %s%s' % (number, words, ' (%s)' % detail if detail else ''))
        else:
            self.failed += 1
            self.line('FAIL  %s %s%s' % (number, words, ' - %s' % detail if detail else ''))

    def skip(self, number, words, reason):
        self.skipped += 1
        self.line('SKIP  %s %s - %s' % (number, words, reason))

    def summary(self):
        if self.skipped:
            self.note('%d item(s) skipped, counted in neither' % self.skipped)
        self.line('real-player: %d passed, %d failed' % (self.passed, self.failed))
        self.copy.close()
