# Sourced by the dependency scripts, with $sudo set. apt_update runs
# apt-get update, again while a mirror in the middle of a sync serves
# indexes that do not match, and then leaves it to the install, which goes
# on with the indexes there are (and fails if they lack a package it needs).
apt_update() {
    local attempt
    for attempt in 1 2 3; do
        $sudo apt-get update -qq && return 0
        [[ $attempt -lt 3 ]] && sleep 20
    done
    echo "the package indexes did not all update; going on with those there are"
}
