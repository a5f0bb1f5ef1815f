my $x = 1;
=head1 NAME

It's POD.

=cut
print <<"END";
Hello, $x's world
END
my @parts = split /,/, $line;
