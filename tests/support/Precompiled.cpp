// Only the precompiled headers are made from this target; the tests reuse them.
