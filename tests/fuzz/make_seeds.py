#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora from the generated run-time data in resources/.

Run from the repository root after a build; the seeds are committed, so this is only needed
when the generators change. Seeds are kept small: libFuzzer mutates short inputs much faster.
"""
import pathlib
import subprocess

ROOT = pathlib.Path(__file__).resolve().parents[2]
RESOURCES = ROOT / "resources"
CORPUS = ROOT / "tests" / "fuzz" / "corpus"
KEPT_ELEMENTS = 24  # positions, texture coordinates and normals kept from each model
KEPT_FACES = 16


def face_fits(line):
    """True when every index of the face refers to a kept element."""
    for corner in line.split()[1:]:
        for index in corner.split("/"):
            if index and not 1 <= int(index) <= KEPT_ELEMENTS:
                return False
    return True


def small_obj(obj_path):
    """The model's first elements and the faces among them, with its material lines."""
    counts = {"v": 0, "vt": 0, "vn": 0}
    faces = 0
    kept = []
    for line in obj_path.read_text().splitlines():
        word = line.split(" ", 1)[0]
        if word in counts:
            if counts[word] < KEPT_ELEMENTS:
                counts[word] += 1
                kept.append(line)
        elif word == "f":
            if faces < KEPT_FACES and face_fits(line):
                faces += 1
                kept.append(line)
        elif word in ("mtllib", "usemtl", "o", "g", "s"):
            kept.append(line.replace(line.split(" ", 1)[-1], "model.mtl") if word == "mtllib"
                        else line)
    return "\n".join(kept) + "\n"


def obj_seeds():
    out = CORPUS / "obj"
    out.mkdir(parents=True, exist_ok=True)
    for obj in sorted(RESOURCES.glob("models/*/*.obj")):
        mtl = next(obj.parent.glob("*.mtl"))
        seed = small_obj(obj) + "\0" + mtl.read_text()
        (out / (obj.parent.name + ".seed")).write_bytes(seed.encode())


def image_seeds():
    out = CORPUS / "image"
    out.mkdir(parents=True, exist_ok=True)
    for png in sorted(RESOURCES.glob("**/*.png")):
        for kind, options in (("", []), ("_grey", ["-colorspace", "Gray"]),
                              ("_grey_alpha", ["-colorspace", "Gray", "-define",
                                               "png:color-type=4"]),
                              ("_rgba16", ["-depth", "16", "-define", "png:color-type=6"])):
            target = out / (png.stem + kind + ".png")
            subprocess.run(["convert", str(png), "-resize", "8x8!", *options, "-strip",
                            str(target)], check=True)
    # The other formats the decoder reads, written by our own encoders.
    subprocess.run([str(ROOT / "build" / "tests" / "write_image_seeds"), str(out)], check=True)


def wav_seeds():
    out = CORPUS / "wav"
    out.mkdir(parents=True, exist_ok=True)
    music = (RESOURCES / "audio" / "cin.wav").read_bytes()
    # The header and a few frames, with the data chunk's size made to match.
    frames = 64 * 4
    header = bytearray(music[:44])
    header[40:44] = frames.to_bytes(4, "little")
    header[4:8] = (36 + frames).to_bytes(4, "little")
    (out / "cin_start.wav").write_bytes(bytes(header) + music[44:44 + frames])


if __name__ == "__main__":
    obj_seeds()
    image_seeds()
    wav_seeds()
