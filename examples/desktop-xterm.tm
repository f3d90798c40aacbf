# desktop-xterm.tm: drive a desktop program through its window.
# Starts xterm (Debian package "xterm"), waits for its window, brings it to
# the front, types a few lines into it, closes it and waits until it is gone.
#
#   tolm32 --console examples/desktop-xterm.tm
#
# It needs an X display with the XTEST extension. Without a desktop, run it
# on a private X server, with or without a window manager:
#
#   tools/with-xvfb.sh --wm build/tolm32 --console examples/desktop-xterm.tm
#   tools/with-xvfb.sh build/tolm32 --console examples/desktop-xterm.tm
#
# Both print "The window received: Hello from Tolm" and end with status 0.

/set DEMO_FILE="/tmp/tolm-desktop-demo.txt"
sh /wait "-c" "rm -f $DEMO_FILE"

# Options and arguments that start with a minus sign are quoted: unquoted,
# "-" would subtract. The shell is sh because bash's start-up files on
# Debian rename the window after every prompt.
xterm "-T" "Tolm demo" "-e" sh

# The window pattern "Tolm demo*" matches every title that starts with it.
/waitfor Tolm demo*
/activate Tolm demo*

# An argument that starts with a double quote is an expression: here it joins
# a text, a variable and the named key {ENTER}.
/sendkeys "cat > " & env(DEMO_FILE) & "{ENTER}"
# "+" holds SHIFT for the next key, "^" holds CTRL: ^d ends cat's input.
/sendkeys +hello from +tolm{ENTER}^d

# Give cat a moment to write the file before the window goes away.
/sleep 1
/close Tolm demo*
/waitclose Tolm demo*
/waitall

sh /wait "-c" "grep -qx 'Hello from Tolm' $DEMO_FILE"
/if errorlevel() eq 0 {
  sh /wait "-c" "echo The window received: $(cat $DEMO_FILE)"
} /else {
  /pause The text did not arrive in the xterm window.
}
