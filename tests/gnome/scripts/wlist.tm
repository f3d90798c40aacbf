# Two test windows, the first activated: "/wlist" lists the focused window
# first, then the others from the top of the stack down. Both are closed at
# the end.
# Needs: tolm_wayland_testwin on PATH, TITLE.
/set waitinternval=20
tolm_wayland_testwin "--title" env(TITLE) & " one"
tolm_wayland_testwin "--title" env(TITLE) & " two"
/waitfor "" & env(TITLE) & " one"
/waitfor "" & env(TITLE) & " two"
/activate "" & env(TITLE) & " one"
/wlist
/close "" & env(TITLE) & " one"
/close "" & env(TITLE) & " two"
/waitclose "" & env(TITLE) & "*"
