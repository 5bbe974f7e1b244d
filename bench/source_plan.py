"""Which sources the benchmark uses: one per type and size, in a fixed folder layout."""
import hashlib
import os

from machines import machine_list, LARGEST
from source_writers import SOURCE_FORMS, INI_FORMS

SIZES = (1_000, 10_000, 100_000)
SLUGS = [slug for slug, _, _ in SOURCE_FORMS]


class PlannedSource:
    def __init__(self, slug, count, path, writer, note=""):
        self.slug = slug
        self.count = count
        self.path = path
        self.writer = writer
        self.note = note


def sizes_for(slug, sizes=SIZES):
    """The sizes to generate for a type, and a note when its section buffer bounds them."""
    form = INI_FORMS.get(slug)
    if form is None:
        return list(sizes), ""
    largest = form.largest_fit(machine_list(LARGEST))
    fitting = sorted({n for n in sizes if n <= largest} | {largest})
    note = (f"largest list that fits the {form.list_buffer}-character section buffer: "
            f"{largest} machines")
    return fitting, note


def plan(folder, slugs=SLUGS, sizes=SIZES):
    planned = []
    for slug, file_name, writer in SOURCE_FORMS:
        if slug not in slugs:
            continue
        counts, note = sizes_for(slug, sizes)
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
