"""Behaviours that hang on timing: a second roll's sound cuts off the first one's, and a click
on the roll button made during a turn change's wait rolls for the next player once it is over."""

import fcntl
import os
import sys
import time

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_window import check_roll_caption  # noqa: E402

RATE = 16000  # bytes a second of the roll sound: 8-bit mono at 16 kHz


class PacedSink:
    """The sound device's file made a pipe that is read at the sound's own pace, as a real device
    plays: a writer can only be ahead of the listener by the pipe's small buffer, so a sound
    that is cut off shows as a cut in the bytes heard."""

    def __init__(self, path):
        os.mkfifo(path)
        # Opened for reading and writing, so that the pipe lives on between the program's plays.
        self.fd = os.open(path, os.O_RDWR | os.O_NONBLOCK)
        fcntl.fcntl(self.fd, fcntl.F_SETPIPE_SZ, 4096)
        self.heard = bytearray()
        self.started = time.monotonic()

    def listen(self, seconds):
        """Reads for that long, no faster than the sound plays."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            allowed = int((time.monotonic() - self.started) * RATE) - len(self.heard)
            if allowed > 0:
                try:
                    self.heard += os.read(self.fd, allowed)
                except BlockingIOError:
                    self.started = time.monotonic() - len(self.heard) / RATE  # nothing playing
            time.sleep(0.01)

    def listen_until(self, what, done):
        """Reads as listen() does until done(the bytes heard) holds, or up to the harness's
        deadline, after which the checks say what was heard."""
        try:
            e.h.wait_until(what, lambda: self.listen(0.05) or done(bytes(self.heard)))
        except e.Failure:
            pass

    def close(self):
        os.close(self.fd)


def scenario(s, args):
    sound = e.wave_samples(args.roll_sound)
    sink = PacedSink(s.sound_capture)
    try:
        wid = s.start_players(["Ann", "Bob"])
        win = s.wait_drawn(wid)
        s.move(*s.point(win, "cmdRoll"))
        sink.listen(0.2)
        # Two rolls in quick succession: the second click arrives during the first roll's pause
        # and is acted on at its end.
        s.xdo("click", 1)
        sink.listen(0.1)
        s.xdo("click", 1)
        sink.listen_until("the second roll's sound to end", lambda heard: heard.endswith(sound))
        heard = bytes(sink.heard)
    finally:
        sink.close()
    cut = len(heard) - len(sound)
    e.check(0 < cut < len(sound) * 3 // 4 and heard[cut:] == sound,
            f"the second roll's sound played whole after {cut} bytes of the first "
            f"({len(heard)} bytes heard, the sound has {len(sound)})")
    e.check(heard[:cut] == sound[:cut], "what was heard before it is the start of the first sound")
    e.check(cut <= (0.3 + 0.1 + 0.25) * RATE + 4096 + 4096,
            "the second sound started as soon as the first roll's pause was over")

    # A click during the turn change's wait rolls for the next player after the wait.
    s.away()
    shot = s.wait_for_dice(win, 5)
    check_roll_caption(s, shot, win, "Ann roll! [1 roll left]")
    anns_dice = s.dice(shot, win)
    roll = s.rect(win, "cmdRoll")
    before = shot.region(roll)
    s.press(win, "chkChance(1)")
    s.away()
    s.wait_for_change("the roll button to say the turn is finishing", roll, before)
    s.press(win, "cmdRoll")
    s.away()
    shot = s.screenshot()
    check_roll_caption(s, shot, win, "Ann Finishing Turn")
    e.check(s.dice(shot, win) == anns_dice, "the click is not acted on during the wait")
    s.wait_for_picture("Bob's dice", lambda p: len(s.dice(p, win)) == 5
                       and s.dice(p, win) != anns_dice)
    shot = s.settled("the window", win)
    shot.crop(win).save(os.path.join(s.out, "click-during-wait.png"))
    check_roll_caption(s, shot, win, "Bob roll! [2 rolls left]")
    e.check(len(s.dice(shot, win)) == 5, "the click made during the wait rolled Bob's five dice")


if __name__ == "__main__":
    sys.exit(e.main(scenario))
