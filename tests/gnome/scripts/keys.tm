# A fresh run opens the test window, waits for it, activates it and types a
# key string with modifiers, a group, repeat counts, named keys and characters
# of the session's other layouts (the session has us, de and ru); then closes
# the window and waits until it has gone.
# Needs: tolm_wayland_testwin on PATH, TITLE (a title no other window has),
# LOG (the file the window logs its keys to).
/set waitinternval=20
tolm_wayland_testwin "--title" env(TITLE) "--log" env(LOG)
/waitfor "" & env(TITLE)
/activate "" & env(TITLE)
/sendkeys Hi +a^(ab)%f{TAB 2}{x 3}{LEFT}äÖ€Ж{+ 1}~
/close "" & env(TITLE)
/waitclose "" & env(TITLE)
