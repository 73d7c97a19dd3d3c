(QUENLO TOOLS 1)
(QUENLO OFFSETS G54)
%
o1034 (hand written at the control)
g90 g17 g40 g49 g80
t1 m6
s5000 m3
g 54 g0 x0 y0
g43 h 1 z50.
g1 z-1. f300
x40.
g0 z50.
g91 g28 z0
m30
%
