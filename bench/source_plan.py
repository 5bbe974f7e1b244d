"""Which sources the benchmark uses: one per type and size, in a fixed folder layout."""
import hashlib
import os

from machines import each_machine
from source_writers import SOURCE_FORMS, INI_FORMS

SIZES = (1_000, 10_000, 100_000, 1_000_000)
SLUGS = [slug for slug, _, _ in SOURCE_FORMS]
WRITER_LIMIT_FILE = "writer-limit.txt"  # in FOLDER/<slug>/: the most machines its writer holds


class PlannedSource:
    def __init__(self, slug, count, path, writer, note=""):
        self.slug = slug
        self.count = count
        self.path = path
        self.writer = writer
        self.note = note


def _capped(sizes, largest):
    return sorted({n for n in sizes if n <= largest} | {largest})


def writer_limit(folder, slug):
    try:
        with open(os.path.join(folder, slug, WRITER_LIMIT_FILE)) as text:
            return int(text.read().split()[0])
    except FileNotFoundError:
        return None


def save_writer_limit(folder, slug, largest):
    os.makedirs(os.path.join(folder, slug), exist_ok=True)
    with open(os.path.join(folder, slug, WRITER_LIMIT_FILE), "w") as out:
        out.write(f"{largest}\n")


def sizes_for(slug, sizes=SIZES, folder=None):
    """The sizes to generate for a type, and a note when something bounds them."""
    form = INI_FORMS.get(slug)
    if form is not None:
        largest = form.largest_fit(each_machine())
        return _capped(sizes, largest), (
            f"largest list that fits the {form.list_buffer}-character section buffer: "
            f"{largest} machines")
    largest = writer_limit(folder, slug) if folder else None
    if largest is not None and largest < max(sizes):
        return _capped(sizes, largest), (
            f"largest database the test support's Jet 4 writer can write: {largest} machines")
    return list(sizes), ""


def plan(folder, slugs=SLUGS, sizes=SIZES):
    planned = []
    for slug, file_name, writer in SOURCE_FORMS:
        if slug not in slugs:
            continue
        counts, note = sizes_for(slug, sizes, folder)
        for count in counts:
            path = os.path.join(folder, slug, str(count), file_name)
            planned.append(PlannedSource(slug, count, path, writer, note))
    return planned


def generator_stamp():
    """Changes whenever the generator's code does, so cached sources are made anew."""
    digest = hashlib.sha256()
    here = os.path.dirname(os.path.abspath(__file__))
    for name in ("machines.py", "source_writers.py", "source_plan.py"):
        with open(os.path.join(here, name), "rb") as source:
            digest.update(source.read())
    return digest.hexdigest()[:16]
