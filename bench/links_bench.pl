# Times the two img patterns over a page file: prints the best of N runs in
# seconds and the number of links found, as "seconds links".
use strict;
use warnings;
use Time::HiRes qw(time);

my ($file, $runs) = @ARGV;
$runs //= 5;
open(my $in, '<:raw', $file) or die "$file: $!";
local $/;
my $page = <$in>;
close $in;

my $s = '[ \t\n\r\f]';
my @patterns = (
    qr/(?i)<img${s}[^>]*(src)${s}*=${s}*(")([^"]*)\2[^>]*>/,
    qr/(?i)<img${s}[^>]*(src)${s}*=(${s}*)([^ \t\n\r\f">]*)\2[^>]*>/,
);
my ($best, $count);
for (1 .. $runs) {
    my $start = time;
    my @links;
    for my $re (@patterns) {
        while ($page =~ /$re/g) {
            push @links, $3 if length $3;
        }
    }
    my $took = time - $start;
    $best = $took if !defined $best || $took < $best;
    $count = scalar @links;
}
printf "%.6f %d\n", $best, $count;
