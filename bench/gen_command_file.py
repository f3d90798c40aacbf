#!/usr/bin/env python3
"""Writes a large command file and a bash script of the same shape.

Both files are built from the same sequence of units. Each unit is one
construct written in both languages with the same number of lines: a program
line with options and quoted arguments, a one-text window command, a message,
an assignment with arithmetic or joined texts, an if/else block, a
do/while loop, a comment. So the two files hold the same line count and
the same mix of constructs, and a parse-speed comparison between
`tolm32 --check` and `bash -n` compares like with like.

The output is deterministic for a given seed, so runs can be compared.

Usage: gen_command_file.py [--lines N] [--seed S] OUT.tm OUT.sh
"""

import argparse
import random
import sys

WINDOWS = ["Untitled - Notepad", "Calculator", "Document1 - Word",
           "Inbox - Mail", "Command Prompt", "Setup Wizard (step 2 of 5)"]
PROGRAMS = ["/usr/bin/printf", "/bin/echo", "/usr/bin/env", "/bin/true",
            "/usr/local/bin/report-tool"]
WORDS = ["backup", "volume", "report", "archive", "invoice", "session",
         "mirror", "journal", "ledger", "export"]


def program_line(r, n):
    prog = r.choice(PROGRAMS)
    word = r.choice(WORDS)
    opts = r.choice(["/wait", "/wait /min", "/hide /ignore", "/max /warn",
                     "/noactivate", ""])
    tm = (f'"{prog}" {opts} "{word} number {n}" c:\\data\\{word}{n}.log '
          f'"--level=3" /s').replace("  ", " ")
    sh = f'{prog} "{word} number {n}" /data/{word}{n}.log --level=3 -s'
    return [tm], [sh]


def window_command(r, n):
    cmd = r.choice(["/activate", "/waitfor", "/close", "/waitclose"])
    title = f"{r.choice(WINDOWS)} {n}"
    tool = {"/activate": "wmctrl -a", "/waitfor": "xdotool search --sync --name",
            "/close": "wmctrl -c", "/waitclose": "wait_for_close"}[cmd]
    return [f"{cmd} {title}"], [f'{tool} "{title}"']


def pause_message(r, n):
    text = f"The {r.choice(WORDS)} step {n} has finished, check the log and press OK"
    return [f"/pause {text}"], [f'read -r -p "{text}" reply']


def assignment(r, n):
    name = r.choice(["COUNTER", "TOTAL", "STEP", "OFFSET"])
    if r.random() < 0.5:
        tm = f"/set {name}=env({name}) + {n % 97} - 3"
        sh = f"{name}=$(( {name} + {n % 97} - 3 ))"
    else:
        word = r.choice(WORDS)
        tm = f'/set LABEL_{n % 13}="{word} run " & env(USER) & "-" & {n}'
        sh = f'LABEL_{n % 13}="{word} run ${{USER}}-{n}"'
    return [tm], [sh]


def if_else_block(r, n):
    mode = r.choice(["fast", "slow", "dry"])
    word = r.choice(WORDS)
    tm = [f'/if env(MODE) eq "{mode}" {{',
          f'  "/bin/echo" /wait "mode {mode} for {word} {n}"',
          "} /else {",
          f"  /sleep {n % 5} + 1",
          "}"]
    sh = [f'if [ "$MODE" = "{mode}" ]; then',
          f'  /bin/echo "mode {mode} for {word} {n}"',
          "else",
          f"  sleep $(( {n % 5} + 1 ))",
          "fi"]
    return tm, sh


def do_while_block(r, n):
    # bash has no do-while; the condition list of `while` runs the body
    # first, which is the same shape in the same four lines.
    limit = 10 + n % 50
    tm = ["/do {",
          "  /set N=env(N) + 1",
          f'  "/bin/true" /wait /ignore "pass" env(N) "of {limit}"',
          f"}} /while env(N) lt {limit}"]
    sh = ["while",
          "  N=$(( N + 1 ))",
          f'  /bin/true "pass" "$N" "of {limit}"',
          f'  [ "$N" \\< {limit} ]; do :; done']
    return tm, sh


def comment(r, n):
    text = f"step {n}: rotate the {r.choice(WORDS)} files before the next run"
    if r.random() < 0.3:
        return [f"/* {text} */"], [f"# {text}"]
    return [f"# {text}"], [f"# {text}"]


def change_directory(r, n):
    path = f"/tmp/tolm bench/{r.choice(WORDS)} {n}"
    return [f'/cd "{path}"'], [f'cd "{path}"']


# Relative weights: program lines and assignments dominate real command files.
UNITS = [(program_line, 8), (window_command, 4), (pause_message, 2),
         (assignment, 6), (if_else_block, 2), (do_while_block, 2),
         (comment, 4), (change_directory, 1)]


def generate(lines, seed):
    r = random.Random(seed)
    makers = [m for m, _ in UNITS]
    weights = [w for _, w in UNITS]
    tm, sh = [], []
    n = 0
    while len(tm) < lines:
        n += 1
        maker = r.choices(makers, weights)[0]
        # A block comment swallows its line feed, so the next line does not
        # begin a line for the lexer and a "#" there is not a comment: let a
        # command follow a block comment.
        while maker is comment and tm and tm[-1].startswith("/*"):
            maker = r.choices(makers, weights)[0]
        a, b = maker(r, n)
        assert len(a) == len(b), "units must keep both languages line for line"
        tm += a
        sh += b
    return tm, sh


# Short lines, one command each, as files of many small steps have them.
SHORT_UNITS = [("/set N={n}", "N={n}"), ("/sleep {n}", "sleep {n}"),
               ('"/bin/true" a{n}', "/bin/true a{n}"), ("/cd /tmp/d{n}", "cd /tmp/d{n}"),
               ("/activate W{n}", "wmctrl -a W{n}")]


def generate_short(size, seed):
    """Lines of about 12 bytes in both languages until the command file
    holds `size` bytes."""
    r = random.Random(seed)
    tm, sh = [], []
    total = 0
    while total < size:
        a, b = r.choice(SHORT_UNITS)
        n = r.randrange(100)
        tm.append(a.format(n=n))
        sh.append(b.format(n=n))
        total += len(tm[-1]) + 1
    return tm, sh


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--lines", type=int, default=200_000)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("tm")
    p.add_argument("sh")
    a = p.parse_args()
    tm, sh = generate(a.lines, a.seed)
    # Both with plain line feeds (command files may also use CR LF), so the
    # byte counts of the two files differ only by what the languages write.
    for path, text in ((a.tm, tm), (a.sh, sh)):
        with open(path, "w", newline="\n") as f:
            f.write("\n".join(text) + "\n")
    print(f"{a.tm}: {len(tm)} lines; {a.sh}: {len(sh)} lines", file=sys.stderr)


if __name__ == "__main__":
    main()
