# Long key strings into a fresh test window: 2000 repeats, then 80 distinct
# characters beyond ASCII (U+4E00 to U+4E4F) in one string.
# Needs: tolm_wayland_testwin on PATH, TITLE and LOG.
/set waitinternval=20
tolm_wayland_testwin "--title" env(TITLE) "--log" env(LOG)
/waitfor "" & env(TITLE)
/activate "" & env(TITLE)
/sendkeys {y 2000}
/sendkeys 一丁丂七丄丅丆万丈三上下丌不与丏丐丑丒专且丕世丗丘丙业丛东丝丞丟丠両丢丣两严並丧丨丩个丫丬中丮丯丰丱串丳临丵丶丷丸丹为主丼丽举丿乀乁乂乃乄久乆乇么义乊之乌乍乎乏
/close "" & env(TITLE)
/waitclose "" & env(TITLE)
