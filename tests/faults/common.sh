# What the fault and kill tests share, sourced after ../e2e/common.sh: the
# homes a case starts from, the files it watches, and the temporaries a
# writer leaves.

noon="2026-12-06 12:00:00"
ini=config/kalcore/KalDatFl.Ini

seed_empty() { :; }
seed_built() {  # everything in place, key year 2021
    mkdir -p "$home/config/kalcore"
    printf '[KalDateSoft]\nKeyYearForHolidayFile=2021\n' >"$home/$ini"
    at "$noon" "$kalc" check 1/1/99 >/dev/null
}
seed_new_year() {  # the key year moved on: start-up adds 2022
    seed_built
    sed -i 's/^KeyYearForHolidayFile=.*/KeyYearForHolidayFile=2022/' "$home/$ini"
}

# The three files of a home, one a line (missing, or a checksum). Names
# match without regard to case, as the library matches them.
files() {
    local f found
    for f in $ini data/kalcore/DatCvFil.Bnf data/kalcore/Holidayf.Bnf; do
        found=$(find "$home/${f%/*}" -maxdepth 1 -iname "${f##*/}" 2>/dev/null | head -n 1)
        if [[ -n "$found" ]]; then echo "$f $(md5sum <"$found" | cut -c1-32)"; else echo "$f missing"; fi
    done
}

# The temporary files a writer left (NAME.XXXXXX), one a line.
leftovers() {
    find "$home" -type f -regextype posix-extended -regex '.*\.[A-Za-z0-9]{6}$' | grep -v '\.lock$' || true
}

# prepare_case NAME SEED COMMAND...: seeds $root/NAME-before and runs the
# command without a fault in a copy, $root/NAME-intended; sets `before` and
# `intended` to their files.
prepare_case() {
    local name=$1 seed=$2
    shift 2
    home=$root/$name-before
    mkdir -p "$home"
    $seed
    before=$(files)
    rm -rf "$root/$name-intended"
    cp -a "$home" "$root/$name-intended"
    home=$root/$name-intended
    at "$noon" "$@" >/dev/null 2>&1
    intended=$(files)
}
