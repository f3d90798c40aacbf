# Two test windows: keys go to the one activated last, /wlist lists the
# active window first; "/killwindow" and "/close" each end one,
# "/waitclose" waits for both.
# Needs: tolm_wayland_testwin on PATH, TITLE, LOG (the first window's log)
# and LOG2 (the second's).
/set waitinternval=20
tolm_wayland_testwin "--title" env(TITLE) & " one" "--log" env(LOG)
tolm_wayland_testwin "--title" env(TITLE) & " two" "--log" env(LOG2)
/waitfor "" & env(TITLE) & " one"
/waitfor "" & env(TITLE) & " two"
/activate "" & env(TITLE) & " one"
/sendkeys 1
/activate "" & env(TITLE) & " two"
/sendkeys 2
/wlist
/activate "*" & env(TITLE) & " o*"
/sendkeys 3
/wlist
/killwindow "" & env(TITLE) & " one"
/close "" & env(TITLE) & " two"
/waitclose "" & env(TITLE) & "*"
